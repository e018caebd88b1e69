// Runs axe-core against every screen of the web app in Debian's Chromium:
// the settings, the exercise, a message box, a question, the operator
// dialog and a hint's step question, each at a desktop and a phone width. Prints what axe reports and
// exits 1 when anything is serious or critical. A check run by hand, not a
// test of the suite.
//
//   npm ci --prefix bench/web && node bench/web/a11y.mjs build/web/site
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {createRequire} from 'node:module';
import {launchBrowser, serve} from '../../tests/web/browser.mjs';  // with the browser tests' puppeteer-core

const site = process.argv[2];
if (!site || !fs.existsSync(path.join(site, 'quorvel.wasm'))) {
  console.error('usage: node bench/web/a11y.mjs <built site folder>');
  process.exit(2);
}
const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// Each screen: how to get there from a fresh start.
const SCREENS = [
  ['settings', async () => {}],
  ['exercise', async (page) => { await page.click('#Button2'); }],
  ['message box', async (page) => {
    await page.click('#Button2');
    await page.type('#Ez1', 'x');
    await page.click('#BBgleich');
    await page.waitForSelector('#MessageBox[open]');
  }],
  ['question', async (page) => {
    await page.click('label:has(#RadioGroup3_1)');
    await page.click('#Button2');
    await page.keyboard.press('n');
    await page.click('#Button10');
    await page.waitForSelector('#QuestionBox[open]');
  }],
  ['operator dialog', async (page) => {
    await page.click('#Button2');
    await page.keyboard.press('Enter');  // past the whole part
    await page.keyboard.type('2/3');
    await page.keyboard.press('Enter');
    await page.waitForSelector('.operator-dialog[open]');
  }],
  ['hint question', async (page) => {
    await page.click('#CheckBox1');
    await page.click('#Button2');
    await page.keyboard.press('n');  // poses; the cursor waits in the result
    await page.keyboard.type('1');
    await page.keyboard.press('Enter');
    await page.waitForSelector('#HintButton:not([disabled])');
    await page.click('#HintButton');
    await page.click('#HintButton');
    await page.waitForSelector('#StepAnswer.shown');
    if (process.env.QUORVEL_SHOT) await page.screenshot({path: `${process.env.QUORVEL_SHOT}-${page.viewport().width}.png`});
  }],
];
const WIDTHS = [[1100, 900], [390, 844]];

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'quorvel-a11y-'));
const server = await serve(site);
const browser = await launchBrowser(path.join(scratch, 'profile'));
let failed = false;
try {
  for (const [width, height] of WIDTHS) {
    for (const [name, reach] of SCREENS) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setBypassCSP(true);  // axe comes in as an inline script
      await page.setViewport({width, height, isMobile: width < 600, hasTouch: width < 600});
      await page.goto(server.url);
      await page.waitForSelector('html.ready');
      await reach(page);
      await page.evaluate(axeSource);
      const violations = await page.evaluate(async () =>
        (await window.axe.run(document, {iframes: false})).violations.map((v) =>
          ({id: v.id, impact: v.impact, help: v.help, nodes: v.nodes.map((n) => n.target.join(' ')).slice(0, 5)})));
      const grave = violations.filter((v) => v.impact === 'serious' || v.impact === 'critical');
      failed ||= grave.length > 0;
      console.log(`${name}, ${width} px: ${grave.length} serious or critical, ${violations.length - grave.length} other`);
      for (const v of violations) console.log(`  ${v.impact}: ${v.id} (${v.help}): ${v.nodes.join(', ')}`);
      await context.close();
    }
  }
} finally {
  await browser.close();
  server.stop();
  fs.rmSync(scratch, {recursive: true, force: true});
}
process.exit(failed ? 1 : 0);
