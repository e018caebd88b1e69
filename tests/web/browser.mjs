// The browser and the web server of the browser test and the benchmark:
// Debian's Chromium, headless, with a fresh profile, and Python's static
// server on 127.0.0.1.
import {spawn} from 'node:child_process';
import puppeteer from 'puppeteer-core';

// Serves dir on a free port of 127.0.0.1; resolves once the server listens.
export function serve(dir) {
  return new Promise((resolve, reject) => {
    const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', dir],
                         {stdio: ['ignore', 'pipe', 'ignore']});
    let output = '';
    server.on('error', reject);
    server.on('exit', (code) => reject(new Error(`the web server ended (${code}) before it listened`)));
    server.stdout.on('data', (chunk) => {
      output += chunk;
      const port = /port (\d+)/.exec(output);
      if (!port) return;
      server.removeAllListeners('exit');
      server.stdout.resume();
      resolve({url: `http://127.0.0.1:${port[1]}/`, stop: () => server.kill()});
    });
  });
}

export function launchBrowser(profileDir) {
  const args = ['--disable-gpu', '--disable-background-networking', '--disable-component-update',
                '--disable-sync', '--no-first-run'];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profileDir,
    args,
  });
}
