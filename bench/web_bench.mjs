// Measures the web app in Debian's Chromium (headless) through the DevTools
// protocol: the cold first load, the size of the site, and key n to the
// page shown in the view. A measurement, not a test: it prints figures and
// fails only when it cannot measure.
//
//   node bench/web_bench.mjs build/web/site
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import {launchBrowser, serve} from '../tests/web/browser.mjs';  // with the browser tests' puppeteer-core

const site = process.argv[2];
if (!site || !fs.existsSync(path.join(site, 'quorvel.wasm'))) {
  console.error('usage: node bench/web_bench.mjs <built site folder>');
  process.exit(2);
}
const LOADS = 15;
const PRESSES = 60;

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const ms = (value) => `${value.toFixed(1)} ms`;
const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;

function siteFiles(dir) {
  return fs.readdirSync(dir, {withFileTypes: true, recursive: true})
    .filter((entry) => entry.isFile())
    .map((entry) => path.join(entry.parentPath ?? entry.path, entry.name));
}

// Every file of the site, raw and as gzip -9 would send it.
function sizes() {
  let raw = 0;
  let gzip = 0;
  const rows = [];
  for (const file of siteFiles(site)) {
    const bytes = fs.readFileSync(file);
    const packed = zlib.gzipSync(bytes, {level: 9}).length;
    raw += bytes.length;
    gzip += packed;
    rows.push([path.relative(site, file), bytes.length, packed]);
  }
  rows.sort((a, b) => b[2] - a[2]);
  return {raw, gzip, rows};
}

// From the navigation's start to the settings screen ready for input, each
// load in a context of its own: no cache, no service worker.
async function coldLoads(browser, url) {
  const times = [];
  let transferred = 0;
  for (let i = 0; i < LOADS; ++i) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const cdp = await page.createCDPSession();
    await cdp.send('Network.enable');
    let bytes = 0;
    cdp.on('Network.loadingFinished', (e) => { bytes += e.encodedDataLength; });
    await page.goto(url);
    await page.waitForSelector('html.ready');
    times.push(await page.evaluate(() => performance.getEntriesByName('quorvel-ready')[0].startTime));
    transferred = bytes;
    await context.close();
  }
  return {times, transferred};
}

// Key n on the exercise screen until the view has the new page ("loaded")
// and has laid it out ("laid out"), with collected solutions up to
// `collected` in collect mode.
async function keyN(browser, url, collect, presses) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({width: 1100, height: 900});
  await page.goto(url);
  await page.waitForSelector('html.ready');
  if (collect) await page.click('label:has(#RadioGroup3_1)');
  await page.click('#Button2');
  await page.evaluate(() => {
    const frame = document.getElementById('WebBrowser1');
    window.benchTimes = [];
    window.addEventListener('keydown', () => { window.benchStart = performance.now(); }, true);
    frame.addEventListener('shown', () => {
      const loaded = performance.now();
      void frame.contentDocument.documentElement.offsetHeight;  // layout
      window.benchTimes.push([loaded - window.benchStart, performance.now() - window.benchStart]);
    });
  });
  for (let i = 0; i < presses; ++i) {
    await page.keyboard.press('n');
    await page.waitForFunction((count) => window.benchTimes.length > count, {}, i);
  }
  const times = await page.evaluate(() => window.benchTimes);
  await context.close();
  return times;
}

function report(label, times) {
  const loaded = median(times.map((t) => t[0]));
  const laidOut = median(times.map((t) => t[1]));
  console.log(`  ${label.padEnd(44)} ${ms(loaded).padStart(9)} loaded, ${ms(laidOut).padStart(9)} laid out`);
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'quorvel-bench-'));
const server = await serve(site);
const browser = await launchBrowser(path.join(scratch, 'profile'));
try {
  const size = sizes();
  console.log(`site: ${kb(size.raw)} raw, ${kb(size.gzip)} with gzip -9 (${size.rows.length} files)`);
  for (const [name, raw, gzip] of size.rows.slice(0, 4)) console.log(`  ${name.padEnd(24)} ${kb(raw).padStart(10)} ${kb(gzip).padStart(10)}`);

  const cold = await coldLoads(browser, server.url);
  console.log(`cold first load to the settings screen ready for input: median ${ms(median(cold.times))}, ` +
              `${ms(Math.min(...cold.times))} to ${ms(Math.max(...cold.times))} over ${LOADS} loads; ` +
              `${kb(cold.transferred)} transferred (uncompressed server)`);

  console.log(`key n to the page shown in the view, median of ${PRESSES} presses:`);
  report('single mode', await keyN(browser, server.url, false, PRESSES));
  const collecting = await keyN(browser, server.url, true, 500);
  report('collect mode, first 60 solutions', collecting.slice(0, 60));
  report('collect mode, solutions 100 to 160', collecting.slice(100, 160));
  report('collect mode, solutions 440 to 500', collecting.slice(440, 500));
} finally {
  await browser.close();
  server.stop();
  fs.rmSync(scratch, {recursive: true, force: true});
}
