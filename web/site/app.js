// The trainer's window in the page: shows the model's state and forwards
// every event to it. What happens on a click or a key is the model's
// decision; this file only finds the control, asks the model, and shows
// what the model then holds.
'use strict';

(() => {
  const FIELDS = ['Enr', 'Eg1', 'Ez1', 'En1', 'Eg2', 'Ez2', 'En2', 'Eg', 'Ez', 'En'];
  const WHOLE_PARTS = ['Eg1', 'Eg2', 'Eg'];
  const RESULT = ['Eg', 'Ez', 'En'];
  // The name a browser gives the document when it saves it by its title.
  const SAVE_NAME = 'Quorvel.html';
  // What a load of a saved file makes of the line breaks around "</body>"
  // and "</html>" at the end of the body's text.
  const BODY_TRAIL = '\n\n\n';
  const DECODER = new TextDecoder('windows-1252');

  // "?v=<build>" as the site's build gave it to this script, or nothing.
  const BUILD_QUERY = new URL(document.currentScript.src).search;

  const $ = (id) => document.getElementById(id);
  const form = $('Form1');
  const frame = $('WebBrowser1');
  const form3 = $('Form3');
  const box = $('MessageBox');
  const question = $('QuestionBox');

  let Q = null;
  let t = null;
  let accessibleNames = null;  // the module's, while the result is not checked and while it is
  const boxes = [];          // message and error boxes and questions still to show
  let answer = false;        // the answer of the question box as it closes
  let savedUrl = null;       // the blob of the last "Speichern"
  const page = {blank: null, blankings: -1, revision: -1};
  let paintPending = false;
  let viewHeld = false;        // the start shows the view's first page a task later
  let keyFromKeydown = false;  // the key being pressed came through keydown
  const fieldTexts = [];       // the model's text of each field, as last shown

  // ---- controls ----

  function controlOf(element) {
    if (!element || element === document.body) return 'Elsewhere';
    if (FIELDS.includes(element.id)) return element.id;
    if (element.id === 'BBgleich') return 'BBgleich';
    if ($('Panel2').contains(element) || $('Panel3').contains(element)) return 'ExerciseControl';
    if (element === frame) return 'View';
    return 'Elsewhere';
  }

  function elementOf(control) {
    return control === 'BBgleich' || FIELDS.includes(control) ? $(control) : null;
  }

  function modalOpen() { return form3.open || box.open || question.open; }

  // ---- operations ----

  // Every call into the model: afterwards the page shows the new state,
  // moves the focus where the model put it and shows what it asked for.
  function run(operation) {
    const result = operation();
    settle();
    schedulePaint();
    return result;
  }

  function settle() {
    render();
    const move = t.takeFocusMove();
    const target = move && elementOf(move);
    if (target) {
      target.focus();
      if (target.select) target.select();
    }
    for (const call of t.takeHostCalls()) {
      if (call.kind === 'message' || call.kind === 'error' || call.kind === 'question') boxes.push(call);
      if (call.kind === 'close') closeWindow();
    }
    showNextBox();
  }

  // The window's paint: the model puts the cursor into the exercise when it
  // stands nowhere on the exercise screen.
  function schedulePaint() {
    if (paintPending) return;
    paintPending = true;
    requestAnimationFrame(() => {
      paintPending = false;
      if (!t) return;
      t.WindowPainted(controlOf(document.activeElement), document.hasFocus(), modalOpen());
      settle();
    });
  }

  // ---- showing the state ----

  function render() {
    const s = t.state();
    $('Panel1').hidden = s.exerciseScreen;
    $('Panel2').hidden = !s.exerciseScreen;
    $('Panel3').hidden = !s.exerciseScreen;
    $('Button4').hidden = !s.explanationsShown;
    $('Button7').hidden = !s.hintsShown;
    // A field is written only when the model's text of it has changed: a
    // character the model's code page lacks stays in the field as typed.
    FIELDS.forEach((name, i) => {
      if (fieldTexts[i] === s.fields[i]) return;
      fieldTexts[i] = s.fields[i];
      $(name).value = s.fields[i];
    });
    WHOLE_PARTS.forEach((name, i) => $(name).classList.toggle('white', s.wholePartWhite[i]));
    setText($('L1'), s.labels.first);
    setText($('L2'), s.labels.second);
    setText($('LErg'), s.labels.result);
    setText($('BB'), s.op);
    document.querySelectorAll('#Form1 .radiogroup').forEach((group) => {
      const row = s.rows[Number(group.dataset.group)];
      const input = group.querySelectorAll('input')[row];
      if (input && !input.checked) input.checked = true;
    });
    const tip = $('Label2');
    if (s.tipShown) {
      setText(tip, s.tipText);
      tip.classList.toggle('wholePart', s.wholePartTip);
    }
    tip.classList.toggle('shown', s.tipShown);
    renderChecking(s);
    renderDialog(s);
    if (!viewHeld) renderPage(s);
  }

  // With checking on, the pupil types the result (it joins the Tab order),
  // and the verdict colours the result fields.
  function renderChecking(s) {
    $('CheckBox1').checked = s.checking;
    if (s.checking) setText($('Label8'), s.tallyText);
    $('Label8').hidden = !s.checking;
    $('Button11').hidden = !s.checking;
    RESULT.forEach((name, i) => {
      const field = $(name);
      field.tabIndex = s.checking ? 0 : -1;
      field.style.backgroundColor = s.resultColour || '';
      if (s.verdictWords) field.setAttribute('aria-description', s.verdictWords);
      else field.removeAttribute('aria-description');
      if (s.resultVerdict) field.dataset.verdict = s.resultVerdict;
      else delete field.dataset.verdict;
    });
    // "=" and "Neue Aufgabe" do other things when the pupil's result is checked.
    for (const id of ['BBgleich', 'BB6']) {
      const names = accessibleNames[s.checking ? 1 : 0][id];
      $(id).setAttribute('aria-label', names.name);
      $(id).setAttribute('aria-description', names.description);
    }
  }

  function renderDialog(s) {
    const rows = form3.querySelectorAll('input');
    if (rows[s.dialogRow] && !rows[s.dialogRow].checked) rows[s.dialogRow].checked = true;
    if (s.dialogOpen && !form3.open) {
      form3.showModal();
      // The focus stands on the selected row, so the arrow keys select rows.
      if (rows[s.dialogRow]) rows[s.dialogRow].focus();
    } else if (!s.dialogOpen && form3.open) {
      form3.close();
    }
  }

  function setText(element, text) {
    if (element.textContent !== text) element.textContent = text;
  }

  // ---- the page ----

  function renderPage(s) {
    if (s.pageBlank) {
      if (page.blank !== true || page.blankings !== s.blankings) load(null, 'blank' + s.blankings);
      page.blank = true;
      page.blankings = s.blankings;
    } else if (page.blank !== false || page.revision !== s.documentRevision) {
      const name = String(s.documentRevision);
      // The model decides, as for the desktop view, how the page changes.
      const change = t.bodyChange(page.blank === false);
      page.blank = false;
      page.revision = s.documentRevision;
      if (change.kind === 'same' || (change.kind !== 'load' && changeInPlace(change))) {
        announce(name);
      } else {
        load(t.documentBytes(), name);
        // A collection loaded in full is shown from its newest part.
        const before = t.newestPrefix();
        const revision = page.revision;
        if (before) requestAnimationFrame(() => page.revision === revision && showPast(before));
      }
    }
  }

  // Adds a part at the end of the page's body, or replaces the body, so that
  // the view shows what a load of the new document would show. False where
  // the page is not as a load left it.
  function changeInPlace(change) {
    const doc = frame.contentDocument;
    if (!doc || !doc.body) return false;
    if (change.kind === 'append') {
      const first = QuorvelPage.append(doc.body, change.part, BODY_TRAIL);
      if (!first) return false;
      // Before the next paint, when the browser lays out the page anyway.
      requestAnimationFrame(() => QuorvelPage.showFrom(first, 0, doc.body));
    } else {
      QuorvelPage.replace(doc.body, change.part, BODY_TRAIL);
    }
    return true;
  }

  // Scrolls the view to where the body's text before stops.
  function showPast(before) {
    const doc = frame.contentDocument;
    if (doc && doc.body) QuorvelPage.showPast(doc.body, before);
  }

  // Shows a document's bytes in the view (or the empty page for null), read
  // from its top. The bytes are read as the desktop view reads them,
  // Windows-1252, and no script of them ever runs (the frame's sandbox).
  // They are written into the view's document: a navigation would make the
  // browser set up a new window each time, the slowest part of the start.
  function load(bytes, name) {
    const doc = frame.contentDocument;
    // Read before the document changes: asked afterwards, the browser would
    // lay out the new document at once.
    const view = frame.contentWindow;
    const scrolled = view.scrollX !== 0 || view.scrollY !== 0;
    doc.open();
    if (bytes) doc.write(DECODER.decode(bytes));
    doc.close();
    if (scrolled) view.scrollTo(0, 0);
    shown(Boolean(bytes), name);
  }

  function shown(isDocument, name) {
    if (isDocument) adoptFonts();
    watchView();
    announce(name);
  }

  // Tells that the view shows the page of name (a document's revision).
  function announce(name) {
    frame.dataset.shown = name;
    frame.dispatchEvent(new Event('shown'));
  }

  // Where a system lacks the Windows fonts the pages name for their
  // handwritten headings, a free look-alike stands in, as in the desktop
  // view; a browser is mostly on a system that has them, and shows them.
  function adoptFonts() {
    const view = frame.contentWindow;
    if (view) QuorvelPage.adoptFonts(view.document, true);
  }

  // Keys pressed while the pupil reads the page go to the model as well.
  const viewKeydown = (e) => onKeydown(e, 'View');
  function watchView() {
    const doc = frame.contentDocument;
    if (!doc) return;
    doc.addEventListener('keydown', viewKeydown, true);  // once: the same listener
  }

  // ---- message boxes ----

  function showNextBox() {
    if (box.open || question.open || boxes.length === 0) return;
    const call = boxes.shift();
    if (call.kind === 'question') {
      $('QuestionText').textContent = call.text.replace(/\r\n?/g, '\n');
      answer = false;
      question.showModal();
      $('QuestionNo').focus();
      return;
    }
    box.classList.toggle('error', call.kind === 'error');
    // Lines of a message are separated by lone carriage returns.
    $('MessageText').textContent = call.text.replace(/\r\n?/g, '\n');
    box.showModal();
    $('MessageOk').focus();
  }

  // However a box closes (OK, Esc), the next one follows.
  function boxClosed() {
    if (!t) return;
    showNextBox();
    schedulePaint();
  }

  // "Ja" answers yes; "Nein" and Esc answer no.
  function questionClosed() {
    if (t && t.state().questionOpen) run(() => t.AnswerQuestion(answer));
    boxClosed();
  }

  function frontEndError(text) {
    boxes.push({kind: 'error', text: text});
    showNextBox();
  }

  function message(text) {
    boxes.push({kind: 'message', text: text});
    showNextBox();
  }

  // ---- keys ----

  // The Tab key goes through the controls in the desktop's order: those
  // with a place (data-tab) first, by place, then the others as they stand
  // in the page; of a group of radio buttons only the selected one.
  const visible = (element) => (element.checkVisibility ? element.checkVisibility() : element.getClientRects().length > 0);

  function tabOrder() {
    const candidates = [...form.querySelectorAll('button, input, iframe')].filter((element) =>
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
      const all = [...form.querySelectorAll('button, input, iframe')].filter((element) =>
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

  function onKeydown(e, fixedControl) {
    keyFromKeydown = false;
    if (!t || modalOpen() || e.defaultPrevented) return;
    // On-screen keyboards often name no key; their characters come
    // through beforeinput.
    if (e.isComposing || e.key === 'Unidentified' || e.key === 'Process') return;
    keyFromKeydown = true;
    if (e.key === 'Tab' && !e.ctrlKey && !e.altKey && !e.metaKey) {
      onTab(e, fixedControl === 'View' ? frame : e.target);
      return;
    }
    // Ctrl+P prints as "Drucken" does, with the document's own page breaks.
    if ((e.ctrlKey || e.metaKey) && !e.altKey && !e.shiftKey && e.key.toLowerCase() === 'p') {
      e.preventDefault();
      print();
      return;
    }
    if (e.ctrlKey || e.metaKey || (e.altKey && !e.getModifierState('AltGraph'))) return;
    const stroke = strokeOf(e.key);
    if (!stroke) return;
    // Enter presses the focused button.
    if (stroke === 'Enter' && e.target instanceof HTMLButtonElement) return;
    const control = fixedControl || controlOf(e.target);
    if (run(() => t.KeyPress(control, stroke))) e.preventDefault();
  }

  function onBeforeInput(e) {
    if (!t || modalOpen() || keyFromKeydown) return;
    let stroke = null;
    if (e.inputType === 'insertText' && e.data) stroke = strokeOf(e.data);
    if (e.inputType === 'insertLineBreak' || e.inputType === 'insertParagraph') stroke = 'Enter';
    if (!stroke) return;
    if (run(() => t.KeyPress(controlOf(e.target), stroke)) && e.cancelable) e.preventDefault();
  }

  // ---- saving and printing ----

  function save() {
    try {
      const blob = new Blob([t.documentBytes()], {type: 'text/html'});
      if (savedUrl) URL.revokeObjectURL(savedUrl);
      savedUrl = URL.createObjectURL(blob);
      const link = document.createElement('a');
      link.href = savedUrl;
      link.download = SAVE_NAME;
      link.click();
    } catch (e) {
      frontEndError(`${Q.fileNotWritten(SAVE_NAME)}.`);
    }
  }

  function print() {
    try {
      frame.contentWindow.print();
    } catch (e) {
      message('Druckervorschau fehlgeschlagen');
    }
  }

  // The browser's own print (its menu) prints the page, whose print style
  // shows only the view: as tall as the document, so that all of it prints.
  function beforePrint() {
    const doc = frame.contentDocument;
    if (doc && doc.documentElement) frame.style.height = `${doc.documentElement.scrollHeight}px`;
  }

  // ---- closing ----

  function closeWindow() {
    t.delete();
    t = null;
    boxes.length = 0;
    form.hidden = true;
    $('Closed').hidden = false;
    window.close();
  }

  // ---- start-up ----

  // The rows stand in the page, so that nothing moves when the module
  // arrives; the module's captions win where the two differ.
  function labelRows(group, items) {
    $(group).querySelectorAll('label.row').forEach((row, i) => {
      const caption = row.lastChild;
      if (i < items.length && caption.nodeType === Node.TEXT_NODE && caption.data !== items[i]) caption.data = items[i];
    });
  }

  function build() {
    labelRows('RadioGroup1', Q.difficultyItems());
    labelRows('RadioGroup2', Q.kindItems());
    labelRows('RadioGroup4', Q.operationItems());
    labelRows('Form3_RadioGroup4', Q.operatorDialogItems());
    accessibleNames = [Q.accessibleNames(false), Q.accessibleNames(true)];
  }

  function connect() {
    const on = (id, handler) => $(id).addEventListener('click', handler);
    on('Button2', () => run(() => t.Start()));
    on('Button5', () => run(() => t.BackToSettings()));
    on('Button1', () => run(() => t.Close()));
    on('Button4', () => run(() => t.ShowInstructions()));
    on('Button7', () => run(() => t.ShowHints()));
    on('Bggtkgv', () => run(() => t.ShowGcdAndLcm()));
    on('BB6', () => run(() => t.PoseExercise()));
    on('Button10', () => run(() => t.ClearDocument()));
    on('BB', () => run(() => t.Solve()));
    on('BBgleich', () => run(() => t.Solve()));
    on('Button3', print);
    on('Button8', print);
    on('Button9', save);
    on('MessageOk', () => box.close());  // the focus returns where it was
    on('QuestionYes', () => { answer = true; question.close(); });
    on('QuestionNo', () => { answer = false; question.close(); });
    on('Restart', () => location.reload());

    document.querySelectorAll('#Form1 .radiogroup').forEach((group) => {
      group.addEventListener('change', (e) => run(() => t.SelectRow(Number(group.dataset.group), Number(e.target.value))));
    });
    for (const name of FIELDS) {
      $(name).addEventListener('input', (e) => run(() => {
        t.EditField(name, e.target.value);
        fieldTexts[FIELDS.indexOf(name)] = t.state().fields[FIELDS.indexOf(name)];
      }));
    }
    for (const name of ['Eg1', 'Ez1']) $(name).addEventListener('pointerdown', () => run(() => t.ClickField(name)));

    $('CheckBox1').addEventListener('change', (e) => run(() => t.SetChecking(e.target.checked)));
    on('Button11', () => run(() => t.ShowEvaluation()));

    // The operator dialog.
    $('Form3_RadioGroup4').addEventListener('change', (e) => run(() => t.ChooseOperatorRow(Number(e.target.value))));
    $('Form3_Button1').addEventListener('click', () => run(() => t.ConfirmOperator()));
    form3.addEventListener('keydown', (e) => {
      if (e.key.length !== 1 || e.ctrlKey || e.metaKey) return;
      if (run(() => t.OperatorDialogKey(e.key))) e.preventDefault();
    });
    form3.addEventListener('beforeinput', (e) => {
      if (e.inputType === 'insertText' && e.data && e.data.length === 1 && run(() => t.OperatorDialogKey(e.data))) e.preventDefault();
    });
    // Enter is the dialog's OK, Esc closes it like OK.
    form3.addEventListener('keydown', (e) => {
      if (e.key !== 'Enter' || e.target instanceof HTMLButtonElement) return;
      e.preventDefault();
      run(() => t.ConfirmOperator());
    });
    // Closed by Esc, the dialog takes the row as OK does.
    form3.addEventListener('close', () => {
      if (t && t.state().dialogOpen) run(() => t.ConfirmOperator());
    });
    box.addEventListener('close', boxClosed);
    question.addEventListener('close', questionClosed);
    // Leaving or reloading the page would lose the collection: the browser asks.
    window.addEventListener('beforeunload', (e) => {
      if (!t || t.state().collected === 0) return;
      e.preventDefault();
      e.returnValue = '';
    });

    document.addEventListener('keydown', (e) => onKeydown(e, null), true);
    document.addEventListener('keyup', () => { keyFromKeydown = false; }, true);
    document.addEventListener('beforeinput', onBeforeInput, true);
    window.addEventListener('focus', schedulePaint);
    window.addEventListener('beforeprint', beforePrint);
    window.addEventListener('afterprint', () => { frame.style.height = ''; });
  }

  // Lets the browser paint and handle input between the steps of the start,
  // so that none of them holds the page for long.
  const nextTask = () => new Promise((resolve) => setTimeout(resolve));

  async function start() {
    let trainer;
    try {
      // The module's own file with the version of the page's, so that a
      // browser's cache never pairs files of two builds.
      Q = await createQuorvel({locateFile: (path, prefix) => prefix + path + BUILD_QUERY});
      await nextTask();
      trainer = new Q.Trainer();
    } catch (e) {
      console.error(e);
      const failure = $('Failure');
      failure.textContent = 'Quorvel kann in diesem Browser nicht starten. Bitte einen aktuellen Browser verwenden.';
      failure.hidden = false;
      form.hidden = true;
      return;
    }
    build();
    await nextTask();
    t = trainer;
    connect();
    form.inert = false;
    form.removeAttribute('aria-busy');
    // The first paint shows the instructions.
    t.WindowPainted(controlOf(document.activeElement), document.hasFocus(), false);
    viewHeld = true;
    settle();
    viewHeld = false;
    document.documentElement.classList.add('ready');
    performance.mark('quorvel-ready');
    await nextTask();
    if (t) render();
  }

  // The service worker fetches the site's files once more for its cache:
  // after the start, not in its way.
  if ('serviceWorker' in navigator && window.isSecureContext) {
    window.addEventListener('load', () => navigator.serviceWorker.register('sw.js').catch(() => {}));
  }
  start();
})();
