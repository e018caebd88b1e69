// The trainer window's boxes: the message and error boxes and the question
// with "Ja"/"Nein", one at a time, in the order the model asked for them.
// Made by app.js with the window's shared object.
'use strict';

var QuorvelApp = QuorvelApp || {};

QuorvelApp.boxes = (app) => {
  const $ = (id) => document.getElementById(id);
  const box = $('MessageBox');
  const question = $('QuestionBox');
  const waiting = [];    // message and error boxes and questions still to show
  let answer = false;    // the answer of the question box as it closes

  function isOpen() { return box.open || question.open; }

  // A box the model asked for ({kind, text}), shown after those before it.
  function add(call) { waiting.push(call); }

  function clear() { waiting.length = 0; }

  function showNext() {
    if (isOpen() || waiting.length === 0) return;
    const call = waiting.shift();
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
    if (!app.trainer) return;
    showNext();
    app.schedulePaint();
  }

  // "Ja" answers yes; "Nein" and Esc answer no.
  function questionClosed() {
    const t = app.trainer;
    if (t && t.state().questionOpen) app.run(() => t.AnswerQuestion(answer));
    boxClosed();
  }

  // A fault of the page itself, shown as the model's error boxes are.
  function frontEndError(text) {
    add({kind: 'error', text: text});
    showNext();
  }

  function message(text) {
    add({kind: 'message', text: text});
    showNext();
  }

  function connect() {
    $('MessageOk').addEventListener('click', () => box.close());  // the focus returns where it was
    $('QuestionYes').addEventListener('click', () => { answer = true; question.close(); });
    $('QuestionNo').addEventListener('click', () => { answer = false; question.close(); });
    box.addEventListener('close', boxClosed);
    question.addEventListener('close', questionClosed);
  }

  return {isOpen, add, clear, showNext, frontEndError, message, connect};
};
