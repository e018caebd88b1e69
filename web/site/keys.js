// The trainer window's keys: every key goes to the model (KeyPress decides
// about it), Tab follows the desktop's order, Ctrl+P prints, F1 asks for a
// hint.
// Made by app.js with the window's shared object.
'use strict';

var QuorvelApp = QuorvelApp || {};

QuorvelApp.keys = (app) => {
  const trainerWindow = app.trainerWindow;
  let keyFromKeydown = false;  // the key being pressed came through keydown

  // The Tab key goes through the controls in the desktop's order: those
  // with a place (data-tab) first, by place, then the others as they stand
  // in the page; of a group of radio buttons only the selected one.
  const visible = (element) => (element.checkVisibility ? element.checkVisibility() : element.getClientRects().length > 0);

  function tabOrder() {
    const candidates = [...trainerWindow.querySelectorAll('button, input, iframe')].filter((element) =>
      element.tabIndex >= 0 && !element.disabled && visible(element) &&
      (element.type !== 'radio' || element.checked));
    const placed = candidates.filter((element) => element.dataset.tab).sort((a, b) => a.dataset.tab - b.dataset.tab);
    return [...placed, ...candidates.filter((element) => !element.dataset.tab)];
  }

  // Tab follows the order above; past its ends the browser takes the focus
  // on, out of the page. From a control outside the order (an unchecked
  // row, a result field while nothing is checked) Tab goes on from where
  // that control stands in the page.
  function onTab(e, from) {
    const order = tabOrder();
    if (order.length === 0) return;
    let at = order.indexOf(from);
    if (at < 0) {
      const after = order.findIndex((element) =>
        from.compareDocumentPosition(element) & Node.DOCUMENT_POSITION_FOLLOWING);
      at = (after < 0 ? order.length : after) - (e.shiftKey ? 0 : 1);
    }
    const next = at + (e.shiftKey ? -1 : 1);
    if (next < 0 || next >= order.length) {
      // From the page's first or last control, the browser's own move of
      // the focus leaves the page.
      const all = [...trainerWindow.querySelectorAll('button, input, iframe')].filter((element) =>
        element.tabIndex >= 0 && !element.disabled && visible(element));
      const edge = e.shiftKey ? all[0] : all[all.length - 1];
      if (edge && edge !== from) edge.focus();
      return;
    }
    e.preventDefault();
    order[next].focus();
  }

  function strokeOf(key) {
    if (key === 'Enter' || key === 'Escape') return key;
    if (key.length === 1 && key.charCodeAt(0) < 128) return key;
    return null;
  }

  // A key pressed in the window, or in the view's page (fixedControl 'View').
  function onKeydown(e, fixedControl) {
    keyFromKeydown = false;
    const t = app.trainer;
    if (!t || app.modalOpen() || e.defaultPrevented) return;
    // On-screen keyboards often name no key; their characters come
    // through beforeinput.
    if (e.isComposing || e.key === 'Unidentified' || e.key === 'Process') return;
    keyFromKeydown = true;
    if (app.keepsItsKeys(e.target) && e.key !== 'Tab') return;
    // F1 asks for the next hint, in place of the browser's help.
    if (e.key === 'F1' && !e.ctrlKey && !e.altKey && !e.metaKey) {
      if (app.nextHint()) e.preventDefault();
      return;
    }
    if (e.key === 'Tab' && !e.ctrlKey && !e.altKey && !e.metaKey) {
      onTab(e, fixedControl === 'View' ? app.frame : e.target);
      return;
    }
    // Ctrl+P prints as "Drucken" does, with the document's own page breaks.
    if ((e.ctrlKey || e.metaKey) && !e.altKey && !e.shiftKey && e.key.toLowerCase() === 'p') {
      e.preventDefault();
      app.view.print();
      return;
    }
    if (e.ctrlKey || e.metaKey || (e.altKey && !e.getModifierState('AltGraph'))) return;
    const stroke = strokeOf(e.key);
    if (!stroke) return;
    // Enter presses the focused button.
    if (stroke === 'Enter' && e.target instanceof HTMLButtonElement) return;
    const control = fixedControl || app.controlOf(e.target);
    if (app.run(() => t.KeyPress(control, stroke))) e.preventDefault();
  }

  function onBeforeInput(e) {
    const t = app.trainer;
    if (!t || app.modalOpen() || keyFromKeydown || app.keepsItsKeys(e.target)) return;
    let stroke = null;
    if (e.inputType === 'insertText' && e.data) stroke = strokeOf(e.data);
    if (e.inputType === 'insertLineBreak' || e.inputType === 'insertParagraph') stroke = 'Enter';
    if (!stroke) return;
    if (app.run(() => t.KeyPress(app.controlOf(e.target), stroke)) && e.cancelable) e.preventDefault();
  }

  function connect() {
    document.addEventListener('keydown', (e) => onKeydown(e, null), true);
    document.addEventListener('keyup', () => { keyFromKeydown = false; }, true);
    document.addEventListener('beforeinput', onBeforeInput, true);
  }

  return {onKeydown, connect};
};
