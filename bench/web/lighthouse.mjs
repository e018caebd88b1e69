// Lighthouse's mobile performance audit of the web app (its simulated
// phone), three runs in a row, in Debian's Chromium with the browser tests'
// flags, the site served from 127.0.0.1 as in the browser tests. Prints the
// score, total blocking time and layout shift of each run. A measurement,
// not a test.
//
//   npm ci --prefix tests/web && npm ci --prefix bench/web
//   node bench/web/lighthouse.mjs build/web/site [runs]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import lighthouse from 'lighthouse';
import {launchBrowser, serve} from '../../tests/web/browser.mjs';

const site = process.argv[2];
const runs = Number(process.argv[3] || 3);
if (!site || !fs.existsSync(path.join(site, 'quorvel.wasm'))) {
  console.error('usage: node bench/web/lighthouse.mjs <built site folder> [runs]');
  process.exit(2);
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'quorvel-lighthouse-'));
const server = await serve(site);
const browser = await launchBrowser(path.join(scratch, 'profile'));
const port = Number(new URL(browser.wsEndpoint()).port);
const ms = (audit) => `${Math.round(audit.numericValue)} ms`;
try {
  for (let run = 1; run <= runs; ++run) {
    const {lhr} = await lighthouse(server.url, {port, logLevel: 'error', onlyCategories: ['performance']});
    const audit = (id) => lhr.audits[id];
    console.log(`run ${run}: performance ${Math.round(lhr.categories.performance.score * 100)}, ` +
                `total blocking time ${ms(audit('total-blocking-time'))}, ` +
                `layout shift ${audit('cumulative-layout-shift').numericValue.toFixed(3)}, ` +
                `first contentful paint ${ms(audit('first-contentful-paint'))}, ` +
                `largest contentful paint ${ms(audit('largest-contentful-paint'))}, ` +
                `speed index ${ms(audit('speed-index'))}`);
    if (run === runs) {
      const tasks = audit('long-tasks')?.details?.items ?? [];
      for (const task of tasks.slice(0, 5)) console.log(`  long task: ${task.url} ${Math.round(task.duration)} ms at ${Math.round(task.startTime)} ms`);
    }
  }
} finally {
  await browser.close();
  server.stop();
  fs.rmSync(scratch, {recursive: true, force: true});
}
