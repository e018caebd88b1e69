// The module's JavaScript interface under node: the operations reach the
// model, texts cross between JavaScript strings and Windows-1252 intact, the
// host calls are queued in order, and names or rows the model does not know
// are refused before they reach it.
// Run: QUORVEL_NODE_MODULE=build/web/web/quorvel-node.js node --test tests/web/bindings.test.mjs
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';

const createQuorvel = createRequire(import.meta.url)(process.env.QUORVEL_NODE_MODULE);
const Q = await createQuorvel();

function started() {
  const t = new Q.Trainer();
  t.WindowPainted('Elsewhere', true, false);
  t.Start();
  assert.equal(t.takeFocusMove(), 'Eg1');
  return t;
}

// Types an operand's fields as the page does: the text, then the key.
function type(t, field, text, key = 'Enter') {
  t.EditField(field, text);
  return t.KeyPress(field, key);
}

test('texts cross as Windows-1252 in the core and as JavaScript strings outside', () => {
  const t = started();
  assert.deepEqual(Q.difficultyItems(), ['Normal', 'Könner', 'Experte', 'Rechengenie']);
  assert.equal(Q.operationItems().length, 5);
  assert.equal(Q.fileNotWritten('Brüche.html'), 'Datei Brüche.html kann nicht erstellt werden');
  assert.match(t.state().tipText, /abschließen. Dann ist man gleich im nächsten Feld/);
  t.EditField('Ez1', '½');
  assert.equal(t.state().fields[2], '½');
  t.EditField('Ez1', '→');  // not in the code page
  assert.equal(t.state().fields[2], '?');

  type(t, 'Ez1', '1');
  type(t, 'En1', '2');
  t.OperatorDialogKey('+');
  type(t, 'Ez2', '1');
  type(t, 'En2', '3');
  t.Solve();
  const revision = t.state().documentRevision;
  const bytes = t.documentBytes();
  assert.ok(bytes instanceof Uint8Array);
  const text = new TextDecoder('windows-1252').decode(bytes);
  assert.match(text, /^<!DOCTYPE HTML PUBLIC/);
  assert.match(text, /Brüche erweitern/);
  assert.ok(bytes.includes(0x97), 'the fraction bar is the byte 0x97');
  assert.ok(!text.includes('Ã'), 'no UTF-8 inside');
  t.ClearDocument();  // "Löschen": the copy taken before stays
  assert.notEqual(t.state().documentRevision, revision);
  assert.equal(new TextDecoder('windows-1252').decode(bytes), text);
});

test('errors of the core come as error calls with their German messages', () => {
  const t = started();
  t.EditField('Ez1', '1');
  t.EditField('En1', '0');
  t.EditField('Ez2', '1');
  t.EditField('En2', '2');
  t.Solve();
  assert.deepEqual(t.takeHostCalls(), [{ kind: 'error', text: 'Division durch Null.' }]);
  t.EditField('Ez1', '2147483647');
  t.EditField('En1', '2');
  t.EditField('Ez2', '2147483647');
  t.EditField('En2', '3');
  t.Solve();
  assert.deepEqual(t.takeHostCalls(), [{ kind: 'error', text: 'Arithmetischer Überlauf.' }]);
  t.EditField('Ez1', 'drei');
  t.Solve();
  assert.deepEqual(t.takeHostCalls(), [{ kind: 'message', text: 'Zahlen im 1. Bruch nicht korrekt' }]);
  t.Close();
  assert.deepEqual(t.takeHostCalls(), [{ kind: 'close', text: '' }]);
});

// Key names as a browser gives them; the flow itself is the model's.
test('keys: Enter, Escape and ASCII characters reach the flow, other keys type as usual', () => {
  const t = new Q.Trainer();
  assert.equal(t.KeyPress('Elsewhere', 'Enter'), true);  // "Start"
  assert.equal(t.KeyPress('Ez1', '/'), true);
  assert.equal(t.KeyPress('Ez1', 'ArrowLeft'), false);
  assert.equal(t.KeyPress('Ez1', 'ü'), false);
  assert.equal(t.KeyPress('View', 'Escape'), true);
  assert.equal(t.state().exerciseScreen, false);
});

test('names and rows the model does not know are refused', () => {
  const t = started();
  assert.throws(() => t.WindowPainted('Nowhere', true, false), TypeError);
  assert.throws(() => t.EditField('BBgleich', '1'), TypeError);
  assert.throws(() => t.ClickField('View'), TypeError);
  assert.throws(() => t.SelectRow(4, 0), RangeError);
  assert.throws(() => t.SelectRow(0, 4), RangeError);
  assert.throws(() => t.SelectRow(3, -1), RangeError);
  assert.throws(() => t.ChooseOperatorRow(4), RangeError);
  t.SelectRow(3, 4);  // "mischen"
  t.SelectRow(2, 1);  // collect mode
  assert.deepEqual(t.state().rows, [0, 0, 1, 4]);
  assert.equal(t.state().fields.length, 10);
});

test('checking: the verdict, its colour and words, and the tally cross to the page', () => {
  const t = started();
  t.SetChecking(true);
  for (const [field, text] of [['Ez1', '1'], ['En1', '2'], ['Ez2', '1'], ['En2', '3'], ['Ez', '2']]) t.EditField(field, text);
  assert.equal(type(t, 'En', '5'), true);  // 1/2 + 1/3 = 2/5: Enter in the result's denominator checks
  const s = t.state();
  assert.equal(s.resultVerdict, 'wrong');
  assert.match(s.resultColour, /^#[0-9a-f]{6}$/);
  assert.equal(s.verdictWords, 'Dein Ergebnis: falsch (Zähler plus Zähler, Nenner plus Nenner)');
  assert.equal(s.tallyText, 'Geprüft 1 · richtig 0 · nicht gekürzt 0 · falsch 1');
});

// The page is told only what changed, decoded; a page without the document loads it.
test('bodyChange: the new part of a growing collection, or a load', () => {
  const t = started();
  t.SelectRow(2, 1);
  assert.equal(t.bodyChange(false).kind, 'load');
  t.KeyPress('Eg1', 'n');
  const change = t.bodyChange(true);
  assert.equal(change.kind, 'append');
  assert.match(change.part, /Zähler addieren/);
  assert.equal(t.bodyChange(true).kind, 'same');
});
