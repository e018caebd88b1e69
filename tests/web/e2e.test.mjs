// The web app in a real browser: Debian's Chromium, headless, driven with
// real key events and clicks, against the built site served on 127.0.0.1.
//
//   QUORVEL_SITE     the built site folder (build/web/site)
//   QUORVEL_SESSION  the native session replayer (quorvel-session), whose
//                    saved document the page's "Speichern" must equal
//   CHROMIUM         the browser, /usr/bin/chromium unless set
import {after, before, describe, test} from 'node:test';
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {launchBrowser, serve} from './browser.mjs';

const SITE = process.env.QUORVEL_SITE;
const SESSION = process.env.QUORVEL_SESSION;
const FIELDS = ['Enr', 'Eg1', 'Ez1', 'En1', 'Eg2', 'Ez2', 'En2', 'Eg', 'Ez', 'En'];

let server;
let browser;
let scratch;

before(async () => {
  assert.ok(SITE && fs.existsSync(path.join(SITE, 'quorvel.wasm')), 'QUORVEL_SITE names no built site');
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'quorvel-e2e-'));
  server = await serve(SITE);
  browser = await launchBrowser(path.join(scratch, 'profile'));
});

after(async () => {
  await browser?.close();
  server?.stop();
  if (scratch) fs.rmSync(scratch, {recursive: true, force: true});
});

// ---- helpers ----

async function openTrainer(prepare) {
  const page = await browser.newPage();
  if (prepare) await page.evaluateOnNewDocument(prepare);
  await page.setViewport({width: 1100, height: 900});
  const requests = [];
  page.on('request', (request) => requests.push(request.url()));
  await page.goto(server.url);
  await page.waitForSelector('html.ready');
  return {page, requests};
}

const fields = (page) => page.evaluate((names) => names.map((n) => document.getElementById(n).value), FIELDS);
const focused = (page) => page.evaluate(() => document.activeElement.id);
const shownPage = (page) => page.$eval('#WebBrowser1', (f) => f.dataset.shown || '');
const pageText = (page) => page.$eval('#WebBrowser1', (f) => f.contentDocument.body.innerText);

// Runs action and waits until the view has loaded the page it leads to.
async function andShown(page, action) {
  const before = await shownPage(page);
  await action();
  await page.waitForFunction((old) => document.getElementById('WebBrowser1').dataset.shown !== old, {}, before);
}

async function download(page, action) {
  const dir = fs.mkdtempSync(path.join(scratch, 'download-'));
  const cdp = await browser.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: dir, eventsEnabled: true});
  let name = '';
  cdp.on('Browser.downloadWillBegin', (e) => { name = e.suggestedFilename; });
  const done = new Promise((resolve, reject) => cdp.on('Browser.downloadProgress', (e) => {
    if (e.state === 'completed') resolve();
    if (e.state === 'canceled') reject(new Error('download canceled'));
  }));
  await action();
  await done;
  await cdp.detach();
  return {name, bytes: fs.readFileSync(path.join(dir, name))};
}

// The view, changed in place since its last load, shows what a load of the
// saved document would show.
async function assertViewShows(page, bytes) {
  const [live, loaded] = await page.evaluate((latin1) => {
    const text = new TextDecoder('windows-1252').decode(Uint8Array.from(latin1, (c) => c.charCodeAt(0)));
    const fresh = new DOMParser().parseFromString(text, 'text/html');
    const live = document.getElementById('WebBrowser1').contentDocument.body.cloneNode(true);
    // The spoken forms the view gives the blocks are not the document's.
    live.querySelectorAll('pre').forEach((b) => { b.removeAttribute('role'); b.removeAttribute('aria-label'); });
    return [live.innerHTML, fresh.body.innerHTML];
  }, bytes.toString('latin1'));
  assert.equal(live, loaded);
}

function replayNatively(operations) {
  return execFileSync(SESSION, {input: operations.join('\n') + '\n'});
}

// ---- the tests ----

describe('typing an exercise with the keyboard', () => {
  test('Enter, "/", the operator dialog and "=" as on the desktop; nothing but the own files requested', async () => {
    const {page, requests} = await openTrainer();
    await page.keyboard.press('Enter');  // "Start" on the settings screen
    assert.equal(await focused(page), 'Eg1');

    await page.keyboard.type('1');
    await page.keyboard.press('Enter');
    assert.equal(await focused(page), 'Ez1');
    await page.keyboard.type('2/');
    assert.equal(await focused(page), 'En1', '"/" ends the numerator');
    await page.keyboard.type('3');
    await page.keyboard.press('Enter');
    assert.ok(await page.$eval('#Form3', (d) => d.open), 'Enter in the first denominator asks for the operation');
    await page.keyboard.press('-');
    assert.equal(await page.$eval('#Form3', (d) => d.open), false);
    assert.equal(await page.$eval('#BB', (b) => b.textContent), '-');
    assert.equal(await focused(page), 'Eg2');

    await page.keyboard.press('Enter');
    await page.keyboard.type('1/2');
    await page.keyboard.press('Enter');
    assert.equal(await page.$eval('#MessageText', (p) => p.textContent), 'Jetzt rechnen!\nDann Klick auf "="!\nDann vergleichen!');
    await page.keyboard.press('Enter');  // OK
    assert.equal(await focused(page), 'BBgleich');
    await andShown(page, () => page.keyboard.press('Enter'));

    assert.deepEqual((await fields(page)).slice(1), ['1', '2', '3', '', '1', '2', '1', '1', '6']);
    assert.equal(await page.$eval('#LErg', (l) => l.textContent), 'Differenz');
    const text = await pageText(page);
    assert.match(text, /Subtraktion/);
    assert.match(text, /kgV\(3,2\)=6/);

    const own = new URL(server.url).origin;
    const foreign = requests.filter((u) => !u.startsWith(own) && !u.startsWith('blob:') && !u.startsWith('about:'));
    assert.deepEqual(foreign, []);
    assert.deepEqual(await page.evaluate(() => [document.cookie, localStorage.length]), ['', 0]);
    // No script of a document runs; printing the view needs modals.
    assert.deepEqual(await page.$eval('#WebBrowser1', (f) => [...f.sandbox].sort()), ['allow-modals', 'allow-same-origin']);
    await page.close();
  });

  test('characters of an on-screen keyboard, which sends no key events, go through the model too', async () => {
    const {page} = await openTrainer();
    await page.keyboard.press('Enter');
    await page.keyboard.press('Enter');  // to the first numerator
    await page.keyboard.sendCharacter('3');
    await page.keyboard.sendCharacter('/');
    assert.equal(await focused(page), 'En1');
    await andShown(page, () => page.keyboard.sendCharacter('n'));
    const [enr, , ez1, en1] = await fields(page);
    assert.equal(enr, '1 a');
    assert.notEqual(ez1, '3', 'the exercise was posed');
    assert.doesNotMatch(en1, /n/);
    await page.close();
  });

  test('key n in the exercise number field poses and solves the next exercise instead of typing', async () => {
    const {page} = await openTrainer();
    await page.keyboard.press('Enter');
    await page.click('#Enr', {clickCount: 3});
    await page.keyboard.type('250 a');
    await andShown(page, () => page.keyboard.press('n'));
    await andShown(page, () => page.keyboard.press('n'));
    const [enr, , ez1, en1, , ez2, en2, , ez, en] = await fields(page);
    assert.equal(enr, '250 c');
    assert.ok([ez1, en1, ez2, en2, ez, en].every((v) => /^\d+$/.test(v)), 'operands and result filled');
    assert.match(await pageText(page), /Aufgabe 250 c\)/);
    await assertViewShows(page, (await download(page, () => page.click('#Button9'))).bytes);
    await page.close();
  });

  test('a screen reader hears the stacked fractions of the worked solution as words, and "Vorlesen" reads them', async () => {
    // A German voice that keeps what it is given.
    const {page} = await openTrainer(() => {
      window.said = [];
      window.SpeechSynthesisUtterance = class { constructor(text) { this.text = text; } };
      Object.defineProperty(window, 'speechSynthesis', {value: {
        getVoices: () => [{lang: 'de-DE', default: true}],
        speak: (u) => window.said.push(u.text),
        cancel: () => window.said.push('(stop)'),
      }});
    });
    // "Start", the whole part, 3/4, the operator, ..., OK
    for (const k of ['Enter', 'Enter', '3/4', 'Enter', '+', 'Enter', '1/6', 'Enter', 'Enter']) {
      await (k === 'Enter' ? page.keyboard.press(k) : page.keyboard.type(k));
    }
    await andShown(page, () => page.keyboard.press('Enter'));
    const frame = page.frames().find((f) => f !== page.mainFrame());
    const cdp = await page.createCDPSession();
    const {nodes} = await cdp.send('Accessibility.getFullAXTree', {frameId: frame._id});
    const names = nodes.filter((n) => n.role?.value === 'math').map((n) => n.name?.value);
    assert.equal(names[0], 'drei Viertel plus ein Sechstel');
    assert.ok(names.length > 3 && names.every(Boolean), JSON.stringify(names));
    assert.equal(names.length, await frame.$$eval('pre', (blocks) => blocks.length));

    await page.click('#ReadAloudButton');
    await page.keyboard.press('Escape');
    const said = await page.evaluate(() => window.said);
    assert.match(said[1], /^Addition\. .*Drei Viertel plus ein Sechstel\. .*elf Zwölftel/);
    assert.equal(said.at(-1), '(stop)');
    assert.equal(await page.$eval('#ReadAloudButton', (b) => b.getAttribute('aria-pressed')), 'false');
    assert.ok(await page.$eval('.exercise-panel', (p) => !p.hidden), 'Esc stopped the reading and stayed on the exercise');
    await page.close();
  });
});

describe('collecting, saving and printing', () => {
  test('three exercises collected by key n: "Speichern" gives the bytes of the native model', async () => {
    const {page} = await openTrainer();
    await page.click('label:has(#RadioGroup3_1)');  // "Aufgaben sammeln"
    await page.click('#Button2');
    for (let i = 0; i < 3; ++i) await andShown(page, () => page.keyboard.press('n'));
    const saved = await download(page, () => page.click('#Button9'));

    const expected = replayNatively([
      'WindowPainted Elsewhere 1 0', 'SelectRow 2 1', 'Start', 'KeyPress Eg1 n', 'KeyPress Eg1 n', 'KeyPress Eg1 n']);
    assert.equal(saved.name, 'Quorvel.html');
    assert.ok(saved.bytes.equals(expected), 'the saved file differs from the native model\'s document');
    assert.match(saved.bytes.toString('latin1'), /Aufgabe 1 c\)/);
    await assertViewShows(page, saved.bytes);

    // "Drucken" prints the page in the view, not the trainer around it.
    const printed = await page.evaluate(() => {
      const view = document.getElementById('WebBrowser1').contentWindow;
      let what = null;
      // The page breaks that take effect: the document's inline styles apply under the page's policy.
      view.print = () => {
        what = [...view.document.querySelectorAll('div')].filter((d) => view.getComputedStyle(d).breakBefore === 'page').length;
      };
      document.getElementById('Button8').click();
      return what;
    });
    assert.equal(printed, (saved.bytes.toString('latin1').match(/page-break-before/g) || []).length);
    await page.close();
  });
});

describe('the keyboard', () => {
  test('Tab follows the typing flow, and leaves the page at its ends', async () => {
    const {page} = await openTrainer();
    await page.click('#Button2');
    const focused = () => page.evaluate(() => document.activeElement.id);
    await page.focus('#Enr');
    await page.keyboard.press('Tab');
    assert.equal(await focused(), 'Eg1');
    await page.focus('#Enr');
    await page.keyboard.down('Shift');
    await page.keyboard.press('Tab');
    await page.keyboard.up('Shift');
    // Out of the page; without a browser window around it, the trainer then
    // puts the cursor back into the exercise, as when it stands nowhere.
    assert.notEqual(await focused(), 'WebBrowser1', 'Shift+Tab from the first control does not wrap to the last');
    await page.close();
  });
});

describe('keeping a collection', () => {
  // The new item's heading (the operation, the first line of every worked
  // solution) stands at the top of the view.
  const newestHeadingTop = (page) => page.$eval('#WebBrowser1', (f) => {
    const headings = [...f.contentDocument.querySelectorAll('div')].filter((d) => d.textContent === 'Addition');
    return [headings.length, headings.at(-1).getBoundingClientRect().top, f.contentWindow.scrollY];
  });

  test('the newest solution in view; the collection survives "Anleitung" as a number and the instructions', async () => {
    const {page} = await openTrainer();
    await page.setViewport({width: 1100, height: 700});
    await page.click('label:has(#RadioGroup3_1)');
    await page.click('#Button2');
    await andShown(page, () => page.keyboard.press('n'));
    await andShown(page, () => page.keyboard.press('n'));
    // The view scrolls before the next paint after the solution was added.
    await page.waitForFunction(() => {
      const f = document.getElementById('WebBrowser1');
      const top = [...f.contentDocument.querySelectorAll('div')].filter((d) => d.textContent === 'Addition').at(-1)
        .getBoundingClientRect().top;
      return f.contentWindow.scrollY > 0 && top >= 0 && top < 40;
    }, {timeout: 5000});
    const [count, top, scrolled] = await newestHeadingTop(page);
    assert.equal(count, 2);
    assert.ok(scrolled > 0 && top >= 0 && top < 40, `the second solution starts at the top: ${top} px, scrolled ${scrolled} px`);

    // Pasted, not typed: key n in the number field poses the next exercise.
    await page.$eval('#Enr', (field) => {
      field.value = 'Anleitung S. 12';
      field.dispatchEvent(new InputEvent('input', {bubbles: true, inputType: 'insertFromPaste'}));
    });
    await andShown(page, () => page.click('#BBgleich'));
    await page.click('#Button5');  // "Zurück"
    await andShown(page, () => page.click('#Button4'));  // "Erklärungen"
    await page.click('#Button2');
    await andShown(page, () => page.keyboard.press('n'));
    // Loaded in full after "Start", the view still shows the newest solution.
    await page.waitForFunction(() => {
      const f = document.getElementById('WebBrowser1');
      const top = [...f.contentDocument.querySelectorAll('div')].filter((d) => d.textContent === 'Addition').at(-1)
        .getBoundingClientRect().top;
      return top >= 0 && top < 40;
    }, {timeout: 5000});
    const saved = await download(page, () => page.click('#Button9'));
    const expected = replayNatively([
      'WindowPainted Elsewhere 1 0', 'SelectRow 2 1', 'Start', 'KeyPress Eg1 n', 'KeyPress Eg1 n',
      'EditField Enr Anleitung S. 12', 'Solve', 'BackToSettings', 'ShowInstructions', 'Start', 'KeyPress Eg1 n']);
    assert.ok(saved.bytes.equals(expected), 'the collection differs from the native model\'s');
    assert.match(saved.bytes.toString('latin1'), /Aufgabe 1 a\)[^]*Aufgabe Anleitung S\. 12\)/);
    await assertViewShows(page, saved.bytes);
    await page.close();
  });

  test('"Löschen" and "Einzelne Aufgabe" ask first; leaving the page asks only while something is collected', async () => {
    const {page} = await openTrainer();
    const leavePrompts = [];
    page.on('dialog', (dialog) => {
      leavePrompts.push(dialog.type());
      dialog.accept();
    });
    await page.click('label:has(#RadioGroup3_1)');
    await page.click('#Button2');
    await andShown(page, () => page.keyboard.press('n'));

    const ask = async (click) => {
      await page.click(click);
      await page.waitForSelector('#QuestionBox[open]');
      return page.evaluate(() => [document.getElementById('QuestionText').textContent, document.activeElement.id]);
    };
    assert.deepEqual(await ask('#Button10'), ['Die gesammelten Aufgaben löschen?', 'QuestionNo']);
    await page.keyboard.press('Escape');  // "Nein"
    assert.equal(await page.$eval('#QuestionBox', (d) => d.open), false);
    await page.click('#Button5');
    await ask('label:has(#RadioGroup3_0)');  // "Einzelne Aufgabe"
    await page.click('#QuestionNo');
    assert.deepEqual(await page.$$eval('#RadioGroup3 input', (rows) => rows.map((r) => r.checked)), [false, true]);
    await page.click('#Button2');
    const kept = await download(page, () => page.click('#Button9'));
    const session = ['WindowPainted Elsewhere 1 0', 'SelectRow 2 1', 'Start', 'KeyPress Eg1 n', 'ClearDocument'];
    assert.ok(kept.bytes.equals(replayNatively([...session, 'AnswerNo'])), '"Nein" keeps the collection');
    assert.match(kept.bytes.toString('latin1'), /Aufgabe 1 a\)/);

    await page.reload();  // the browser asks; the handler above agrees to leave
    assert.deepEqual(leavePrompts, ['beforeunload']);
    await page.waitForSelector('html.ready');
    await page.click('label:has(#RadioGroup3_1)');
    await page.click('#Button2');
    await andShown(page, () => page.keyboard.press('n'));
    await ask('#Button10');
    await andShown(page, () => page.click('#QuestionYes'));
    assert.doesNotMatch(await pageText(page), /Aufgabe/);
    await page.reload();
    await page.waitForSelector('html.ready');
    assert.deepEqual(leavePrompts, ['beforeunload'], 'nothing collected, nothing asked');
    await page.close();
  });
});

describe('checking the pupil\'s own result', () => {
  test('a wrong result: the verdict on the fields and the page, counted in the tally and the evaluation', async () => {
    const {page} = await openTrainer();
    await page.click('#CheckBox1');  // "Mein Ergebnis prüfen"
    await page.click('#Button2');
    assert.equal(await page.$eval('#BBgleich', (b) => b.getAttribute('aria-label')), 'Gleich: prüfen');
    await page.keyboard.press('n');  // only poses: the pupil's result comes first
    assert.equal(await focused(page), 'Eg');
    await page.keyboard.press('Enter');
    await page.keyboard.type('1/2');
    await andShown(page, () => page.keyboard.press('Enter'));

    const verdict = await page.$$eval('#Eg, #Ez, #En', (fields) => fields.map((f) => [f.dataset.verdict, f.style.backgroundColor]));
    assert.ok(verdict.every(([v, colour]) => v === 'wrong' && colour === verdict[0][1] && colour !== ''), JSON.stringify(verdict));
    assert.deepEqual((await fields(page)).slice(7), ['', '1', '2'], 'the pupil\'s result stays');
    assert.match(await page.$eval('#Label8', (l) => l.textContent), /falsch 1/);
    const saved = await download(page, () => page.click('#Button9'));
    const expected = replayNatively(['WindowPainted Elsewhere 1 0', 'SetChecking 1', 'Start', 'KeyPress Eg1 n',
                                     'KeyPress Eg Enter', 'EditField Ez 1', 'KeyPress Ez /', 'EditField En 2', 'KeyPress En Enter']);
    assert.ok(saved.bytes.equals(expected), 'the page with the verdict differs from the native model\'s document');

    await andShown(page, () => page.click('#Button11'));
    assert.match(await pageText(page), /Falsch: 1/);
    await page.close();
  });

  test('"Tipp" after a wrong result: no solution yet, a step question answered, then counted "mit Tipp"', async () => {
    const {page} = await openTrainer();
    await page.click('#CheckBox1');
    await page.click('#Button2');
    for (const k of ['Enter', '1/2', 'Enter', '+', 'Enter', '1/3', 'Enter', 'Enter', '2/5']) {
      await (k === 'Enter' ? page.keyboard.press(k) : page.keyboard.type(k));
    }
    await andShown(page, () => page.keyboard.press('Enter'));
    assert.deepEqual(await fields(page), ['Bsp.', '', '1', '2', '', '1', '3', '', '2', '5']);
    assert.match(await pageText(page), /Typischer Fehler/);
    assert.doesNotMatch(await pageText(page), /Zähler addieren/, 'the worked solution waits for the second try');

    await andShown(page, () => page.keyboard.press('F1'));
    assert.match(await page.$eval('#HintWords', (h) => h.textContent), /denselben Nenner/);
    await andShown(page, () => page.click('#HintButton'));
    assert.equal(await page.$eval('#StepQuestion', (q) => q.textContent), 'Welcher Hauptnenner?');
    await page.waitForFunction(() => document.activeElement.id === 'StepAnswer');
    await page.keyboard.type('6');  // no key n or digit goes to the exercise
    await andShown(page, () => page.keyboard.press('Enter'));
    assert.match(await pageText(page), /Richtig!\s+\*\) Brüche erweitern auf kgV\(2,3\)=6/);

    await page.$eval('#Ez', (field) => { field.focus(); field.select(); });
    for (const k of ['5', '/', '6']) await page.keyboard.type(k);
    await andShown(page, () => page.keyboard.press('Enter'));
    assert.match(await page.$eval('#Label8', (l) => l.textContent), /mit Tipp 1/);
    assert.match(await pageText(page), /Zähler addieren, Nenner beibehalten/);
    await page.close();
  });
});

describe('"Üben, bis es sitzt"', () => {
  test('after 2/5 for 1/2 + 1/3 key n poses a contrast item under its number; "Fertig" shows "Mein Übungsweg"', async () => {
    const {page} = await openTrainer();
    await page.click('#PracticeBox');
    assert.ok(await page.$eval('#CheckBox1', (c) => c.checked), 'practice turns checking on');
    await page.click('#Button2');
    for (const k of ['Enter', '1/2', 'Enter', '+', 'Enter', '1/3', 'Enter', 'Enter', '2/5']) {
      await (k === 'Enter' ? page.keyboard.press(k) : page.keyboard.type(k));
    }
    await andShown(page, () => page.keyboard.press('Enter'));
    assert.match(await page.$eval('#PracticeWords', (w) => w.getAttribute('role') + ' ' + w.textContent),
                 /^status .*Hauptnenner: noch offen/);

    await page.keyboard.press('n');
    await page.waitForFunction(() => /^\d+ [a-z]$/.test(document.getElementById('Enr').value));
    const [, whole1, a, b, whole2, c, d] = await fields(page);
    assert.deepEqual([whole1, whole2, await page.$eval('#BB', (o) => o.textContent)], ['', '', '+']);
    const [n1, d1, n2, d2] = [a, b, c, d].map(Number);
    assert.notEqual(d1, d2);
    // (n1 + n2)/(d1 + d2) against n1/d1 + n2/d2, cross-multiplied.
    assert.notEqual((n1 + n2) * d1 * d2, (n1 * d2 + n2 * d1) * (d1 + d2));
    assert.equal(await page.$eval('#PracticeSkills', (l) => l.getAttribute('aria-label')), 'Was Du übst');
    assert.match(await page.$eval('#PracticeSkills', (l) => l.textContent), /Hauptnenner/);

    await page.focus('#BB6');
    await page.keyboard.press('Tab');
    assert.equal(await focused(page), 'FinishButton');
    await page.keyboard.press('Enter');
    assert.match(await page.$eval('#PracticeWords', (w) => w.textContent), /gemischte Aufgaben/);
    await andShown(page, () => page.keyboard.press('Enter'));
    assert.match(await pageText(page), /Mein Übungsweg/);
    await page.close();
  });
});

describe('offline', () => {
  test('after one visit the trainer starts and solves without the server', async () => {
    const {page} = await openTrainer();
    await page.evaluate(() => navigator.serviceWorker.ready);
    server.stop();
    try {
      await page.reload();
      await page.waitForSelector('html.ready');
      assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null));
      await page.keyboard.press('Enter');
      await andShown(page, () => page.keyboard.press('n'));
      assert.deepEqual((await fields(page)).slice(0, 1), ['1 a']);
      assert.match(await pageText(page), /Aufgabe 1 a\)/);
    } finally {
      server = await serve(SITE);
    }
    await page.close();
  });
});
