// The trainer window's view of the document (the frame #WebBrowser1): its
// page loaded or changed in place as the model decides, through page.js's
// QuorvelPage; and the document saved and printed.
// Made by app.js with the window's shared object.
'use strict';

var QuorvelApp = QuorvelApp || {};

QuorvelApp.view = (app) => {
  // The name a browser gives the document when it saves it by its title.
  const SAVE_NAME = 'Quorvel.html';
  // What a load of a saved file makes of the line breaks around "</body>"
  // and "</html>" at the end of the body's text.
  const BODY_TRAIL = '\n\n\n';
  const DECODER = new TextDecoder('windows-1252');

  const frame = app.frame;
  const page = {blank: null, blankings: -1, revision: -1};
  let savedUrl = null;       // the blob of the last "Speichern"

  // ---- the page ----

  function render(s) {
    const t = app.trainer;
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
        speak();
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

  // The blocks of stacked fractions speak their spoken forms to a screen
  // reader; the document's bytes, which "Speichern" writes, stay the model's.
  function speak() {
    const doc = frame.contentDocument;
    if (doc && doc.body) QuorvelPage.speak(doc, app.trainer.spokenTail(QuorvelPage.unspoken(doc)));
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
    if (isDocument) {
      adoptFonts();
      speak();
    }
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
  const viewKeydown = (e) => app.keys.onKeydown(e, 'View');
  function watchView() {
    const doc = frame.contentDocument;
    if (!doc) return;
    doc.addEventListener('keydown', viewKeydown, true);  // once: the same listener
  }

  // ---- saving and printing ----

  function save() {
    try {
      const blob = new Blob([app.trainer.documentBytes()], {type: 'text/html'});
      if (savedUrl) URL.revokeObjectURL(savedUrl);
      savedUrl = URL.createObjectURL(blob);
      const link = document.createElement('a');
      link.href = savedUrl;
      link.download = SAVE_NAME;
      link.click();
    } catch (e) {
      app.boxes.frontEndError(`${app.module.fileNotWritten(SAVE_NAME)}.`);
    }
  }

  function print() {
    try {
      frame.contentWindow.print();
    } catch (e) {
      app.boxes.message('Druckervorschau fehlgeschlagen');
    }
  }

  // The browser's own print (its menu) prints the page, whose print style
  // shows only the view: as tall as the document, so that all of it prints.
  function beforePrint() {
    const doc = frame.contentDocument;
    if (doc && doc.documentElement) frame.style.height = `${doc.documentElement.scrollHeight}px`;
  }

  function connect() {
    window.addEventListener('beforeprint', beforePrint);
    window.addEventListener('afterprint', () => { frame.style.height = ''; });
  }

  return {render, save, print, connect};
};
