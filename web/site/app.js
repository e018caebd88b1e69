// The trainer window in the page: shows the model's state and forwards
// every event to it. What happens on a click or a key is the model's
// decision; this file only finds the control, asks the model, and shows
// what the model then holds. The window's boxes.js (the message boxes and
// questions), view.js (the document's view, saving and printing), keys.js
// (the keys) and voice.js (reading aloud) are made here, each with the shared object `app`; the page
// loads them before this file.
'use strict';

(() => {
  const FIELDS = ['Enr', 'Eg1', 'Ez1', 'En1', 'Eg2', 'Ez2', 'En2', 'Eg', 'Ez', 'En'];
  const WHOLE_PARTS = ['Eg1', 'Eg2', 'Eg'];
  const RESULT = ['Eg', 'Ez', 'En'];

  // "?v=<build>" as the site's build gave it to this script, or nothing.
  const BUILD_QUERY = new URL(document.currentScript.src).search;

  const $ = (id) => document.getElementById(id);
  // The window's parts by what they are (their ids are the design's names).
  const part = (name) => document.querySelector('.' + name);
  const trainerWindow = part('trainer-window');
  const frame = $('WebBrowser1');
  const operatorDialog = part('operator-dialog');

  let Q = null;
  let t = null;
  let accessibleNames = null;  // the module's, while the result is not checked and while it is
  let paintPending = false;
  let viewHeld = false;        // the start shows the view's first page a task later
  const fieldTexts = [];       // the model's text of each field, as last shown

  // What the window's files share: the model while it runs, the window's
  // elements, the window's own operations, and the boxes, the view and the
  // keys themselves.
  const app = {
    get module() { return Q; },
    get trainer() { return t; },
    trainerWindow,
    frame,
    run,
    schedulePaint,
    controlOf,
    modalOpen,
    // The step question's answer takes its keys itself (keys.js leaves them).
    keepsItsKeys: (element) => element && element.id === 'StepAnswer',
    // F1: the next hint, as "Tipp" gives it; false where there is none.
    nextHint: () => {
      const hint = $('HintButton');
      if (hint.hidden || hint.disabled) return false;
      hint.click();
      return true;
    },
  };
  app.boxes = QuorvelApp.boxes(app);
  app.view = QuorvelApp.view(app);
  app.keys = QuorvelApp.keys(app);
  app.voice = QuorvelApp.voice(app);

  // ---- controls ----

  function controlOf(element) {
    if (!element || element === document.body) return 'Elsewhere';
    if (FIELDS.includes(element.id)) return element.id;
    if (element.id === 'BBgleich') return 'BBgleich';
    if (part('exercise-panel').contains(element) || part('calculation-panel').contains(element)) return 'ExerciseControl';
    if (element === frame) return 'View';
    return 'Elsewhere';
  }

  function elementOf(control) {
    return control === 'BBgleich' || FIELDS.includes(control) ? $(control) : null;
  }

  function modalOpen() { return operatorDialog.open || app.boxes.isOpen(); }

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
      if (call.kind === 'message' || call.kind === 'error' || call.kind === 'question') app.boxes.add(call);
      if (call.kind === 'close') closeWindow();
      if (call.kind === 'speak') app.voice.speak(call.text);
      if (call.kind === 'stopSpeaking') app.voice.stop();
    }
    app.boxes.showNext();
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
    part('settings-screen').hidden = s.exerciseScreen;
    part('exercise-panel').hidden = !s.exerciseScreen;
    part('calculation-panel').hidden = !s.exerciseScreen;
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
    trainerWindow.querySelectorAll('.radiogroup').forEach((group) => {
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
    renderPractice(s);
    renderDialog(s);
    if (!viewHeld) app.view.render(s);
  }

  // "Tipp" with checking on; the question's row while a step question is
  // open, the cursor moved into its answer when it opens; the hint's newest
  // words in a live region, heard without moving the focus.
  let shownStepQuestion = '';
  let shownStepAnswer = '';
  function renderHints(s) {
    const hint = $('HintButton');
    hint.hidden = !s.checking;
    hint.disabled = !s.moreHints;
    const question = $('StepQuestion');
    const answer = $('StepAnswer');
    setText(question, s.stepQuestion);
    // Their row is there with checking on only; while no question is open
    // it keeps its room.
    question.hidden = answer.hidden = !s.checking;
    question.classList.toggle('shown', s.stepQuestion !== '');
    answer.classList.toggle('shown', s.stepQuestion !== '');
    answer.tabIndex = s.stepQuestion ? 0 : -1;
    // Written back only when the model changed it: a character its code page
    // lacks stays as typed, and the caret where it was.
    if (s.stepAnswer !== shownStepAnswer) answer.value = s.stepAnswer;
    shownStepAnswer = s.stepAnswer;
    if (s.stepQuestion && s.stepQuestion !== shownStepQuestion) setTimeout(() => answer.focus());
    shownStepQuestion = s.stepQuestion;
    setText($('HintWords'), s.hintWords);
  }

  // "Üben, bis es sitzt": the choice on the settings screen; while
  // practising the skill list and "Fertig" in the guidance's place, always
  // there, so that nothing moves between exercises; what changed in the
  // list in a live region.
  let shownSkills = '';
  function renderPractice(s) {
    $('PracticeBox').checked = s.practicing;
    const length = $('PracticeLength');
    if (document.activeElement !== length && Number(length.value) !== s.practiceLength) length.value = s.practiceLength;
    part('guidance').hidden = s.practicing;  // the skill list takes its place
    part('practice').hidden = !s.practicing;
    $('FinishButton').disabled = s.practiceDone === 0;
    const skills = JSON.stringify(s.practiceSkills);
    if (skills !== shownSkills) {
      shownSkills = skills;
      $('PracticeSkills').replaceChildren(...s.practiceSkills.map((skill) => {
        const item = document.createElement('li');
        item.textContent = skill.words;
        item.classList.toggle('sitzt', skill.sitzt);
        return item;
      }));
    }
    setText($('PracticeWords'), s.practiceWords);
  }

  // With checking on, the pupil types the result (it joins the Tab order),
  // and the verdict colours the result fields.
  function renderChecking(s) {
    $('CheckBox1').checked = s.checking;
    if (s.checking) setText($('Label8'), s.tallyText);
    $('Label8').hidden = !s.checking;
    $('Button11').hidden = !s.checking;
    $('ReadAloudButton').setAttribute('aria-pressed', String(s.speaking));
    renderHints(s);
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
    const rows = operatorDialog.querySelectorAll('input');
    if (rows[s.dialogRow] && !rows[s.dialogRow].checked) rows[s.dialogRow].checked = true;
    if (s.dialogOpen && !operatorDialog.open) {
      operatorDialog.showModal();
      // The focus stands on the selected row, so the arrow keys select rows.
      if (rows[s.dialogRow]) rows[s.dialogRow].focus();
    } else if (!s.dialogOpen && operatorDialog.open) {
      operatorDialog.close();
    }
  }

  function setText(element, text) {
    if (element.textContent !== text) element.textContent = text;
  }

  // ---- closing ----

  function closeWindow() {
    t.delete();
    t = null;
    app.boxes.clear();
    trainerWindow.hidden = true;
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
    on('Button3', app.view.print);
    on('Button8', app.view.print);
    on('Button9', app.view.save);
    on('Restart', () => location.reload());

    trainerWindow.querySelectorAll('.radiogroup').forEach((group) => {
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
    $('PracticeBox').addEventListener('change', (e) => run(() => t.SetPracticing(e.target.checked)));
    // A length the model takes, as it is typed; any other shows the model's again when left.
    $('PracticeLength').addEventListener('input', (e) => {
      const count = Number(e.target.value);
      if (Number.isInteger(count) && count >= 5 && count <= 50) run(() => t.SetPracticeLength(count));
    });
    $('PracticeLength').addEventListener('change', (e) => {
      if (t && Number(e.target.value) !== t.state().practiceLength) e.target.value = t.state().practiceLength;
    });
    on('FinishButton', () => run(() => t.FinishPractice()));
    on('Button11', () => run(() => t.ShowEvaluation()));
    on('ReadAloudButton', () => run(() => t.ReadAloud(app.voice.available())));
    on('HintButton', () => run(() => t.NextHint(Date.now())));
    $('StepAnswer').addEventListener('input', (e) => run(() => t.EditStepAnswer(e.target.value)));
    // Enter answers the step question, Esc closes it; every other key is the
    // answer's own, key n included.
    $('StepAnswer').addEventListener('keydown', (e) => {
      if (e.key !== 'Enter' && e.key !== 'Escape') return;
      e.preventDefault();
      run(() => (e.key === 'Enter' ? t.AnswerStepQuestion(e.target.value) : t.LeaveStepQuestion()));
    });

    // The operator dialog.
    $('Form3_RadioGroup4').addEventListener('change', (e) => run(() => t.ChooseOperatorRow(Number(e.target.value))));
    $('Form3_Button1').addEventListener('click', () => run(() => t.ConfirmOperator()));
    operatorDialog.addEventListener('keydown', (e) => {
      if (e.key.length !== 1 || e.ctrlKey || e.metaKey) return;
      if (run(() => t.OperatorDialogKey(e.key))) e.preventDefault();
    });
    operatorDialog.addEventListener('beforeinput', (e) => {
      if (e.inputType === 'insertText' && e.data && e.data.length === 1 && run(() => t.OperatorDialogKey(e.data))) e.preventDefault();
    });
    // Enter is the dialog's OK, Esc closes it like OK.
    operatorDialog.addEventListener('keydown', (e) => {
      if (e.key !== 'Enter' || e.target instanceof HTMLButtonElement) return;
      e.preventDefault();
      run(() => t.ConfirmOperator());
    });
    // Closed by Esc, the dialog takes the row as OK does.
    operatorDialog.addEventListener('close', () => {
      if (t && t.state().dialogOpen) run(() => t.ConfirmOperator());
    });
    // Leaving or reloading the page would lose the collection: the browser asks.
    window.addEventListener('beforeunload', (e) => {
      if (!t || t.state().collected === 0) return;
      e.preventDefault();
      e.returnValue = '';
    });

    app.boxes.connect();
    app.keys.connect();
    app.view.connect();
    window.addEventListener('focus', schedulePaint);
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
      trainerWindow.hidden = true;
      return;
    }
    build();
    await nextTask();
    t = trainer;
    connect();
    trainerWindow.inert = false;
    trainerWindow.removeAttribute('aria-busy');
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