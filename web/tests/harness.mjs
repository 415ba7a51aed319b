// What every browser test of the page shares: a loopback server for the built site, a headless
// Chromium of its own, and pages that fail the test on any console error, page error or request
// that leaves the site, and on any error of the site's service worker.
//
//   import { test, before, after } from 'node:test';
//   import { startHarness } from './harness.mjs';
//
//   let harness;
//   before(async () => { harness = await startHarness(); });
//   after(() => harness.stop());
//
//   test('the lists are filled', async (t) => {
//     const page = await harness.openPage(t);          // checked and closed when t ends
//     await page.keyboard.type('Round bar');
//   });
//
// openPage(t, {path, viewport, waitUntilReady}) loads the site (ready = the load handler has run:
// lists filled, focus in Combo1) and, when the test ends, closes the page and fails the test with
// every problem it saw. harness.server can be stopped and started again on the same port (offline
// tests) and pointed at another folder (a second build). harness.newBrowser() gives a browser with
// a fresh profile of its own, closed by harness.stop(). The site is build-web/site: run
// `bash scripts/web.sh` first.

import { createServer } from 'node:http';
import { mkdtemp, readFile, rm, stat } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

export const repoRoot = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
// KALVORA_SITE points the tests at another build of the site.
export const siteDir = path.resolve(process.env.KALVORA_SITE ?? path.join(repoRoot, 'build-web', 'site'));

const contentTypes = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  // Streaming compilation of WebAssembly insists on this type.
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.gif': 'image/gif',
  '.svg': 'image/svg+xml',
  '.ico': 'image/x-icon',
};

// A static server on 127.0.0.1 that answers only files under its root. It records every path asked
// for, so that a test can tell what the page and its service worker fetched.
export async function startServer({ root = siteDir, port = 0 } = {}) {
  const requests = [];
  const server = {
    root,
    port,
    requests,
    get origin() {
      return `http://127.0.0.1:${this.port}`;
    },
    get url() {
      return `${this.origin}/`;
    },
    running: false,
    async start() {
      if (this.running) return;
      http = createServer((request, response) => answer(this.root, requests, request, response));
      await new Promise((resolve, reject) => {
        http.once('error', reject);
        http.listen(this.port, '127.0.0.1', resolve);
      });
      this.port = http.address().port;
      this.running = true;
    },
    // Stopping also ends the open connections, so that the browser really sees a server gone.
    async stop() {
      if (!this.running) return;
      this.running = false;
      const closed = new Promise((resolve) => http.close(resolve));
      http.closeAllConnections();
      await closed;
    },
  };
  let http;
  await server.start();
  return server;
}

async function answer(root, requests, request, response) {
  const url = new URL(request.url, 'http://127.0.0.1');
  requests.push(url.pathname);
  let relative = decodeURIComponent(url.pathname);
  if (relative.endsWith('/')) relative += 'index.html';
  const file = path.join(root, relative);
  // Nothing outside the site, however the path is spelt.
  if (!file.startsWith(root + path.sep)) {
    response.writeHead(403).end();
    return;
  }
  try {
    if (!(await stat(file)).isFile()) throw new Error('not a file');
    const body = await readFile(file);
    response.writeHead(200, {
      'Content-Type': contentTypes[path.extname(file)] ?? 'application/octet-stream',
      'Content-Length': body.length,
      // Every visit asks again, as a host that serves a new build must be able to.
      'Cache-Control': 'no-cache',
    });
    response.end(request.method === 'HEAD' ? undefined : body);
  } catch {
    response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found');
  }
}

// Debian's Chromium, headless, with a profile that no other run has touched. As root it needs
// --no-sandbox; the other switches keep it from talking to anything but the test's server.
export async function launchBrowser({ viewport = { width: 1280, height: 800 } } = {}) {
  const profile = await mkdtemp(path.join(tmpdir(), 'kalvora-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    defaultViewport: viewport,
    args: [
      ...(process.getuid?.() === 0 ? ['--no-sandbox'] : []),
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--disable-dev-shm-usage',
    ],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close().catch(() => {});
    await rm(profile, { recursive: true, force: true });
  };
  return browser;
}

// Records what must never happen on a page: an error on its console, an exception nobody caught,
// a request to anything but the site's own origin, a file that failed to load.
export function watchPage(page, origin) {
  const problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message ?? error}`));
  page.on('request', (request) => {
    const url = request.url();
    if (!url.startsWith(`${origin}/`)) problems.push(`request outside the site: ${url}`);
  });
  page.on('response', (response) => {
    if (response.status() >= 400) problems.push(`${response.status()} for ${response.url()}`);
  });
  page.on('requestfailed', (request) => {
    // A navigation that a test stops on purpose is no fault of the page.
    const reason = request.failure()?.errorText ?? '';
    if (!reason.includes('ERR_ABORTED')) problems.push(`failed to load ${request.url()}: ${reason}`);
  });
  return problems;
}

// The load handler has run: both lists are filled and the grade box has the focus.
export async function waitUntilReady(page, timeout = 10000) {
  await page.waitForFunction(
    () =>
      document.activeElement?.id === 'Combo1' &&
      document.getElementById('Combo2')?.options?.length > 0,
    { timeout },
  );
}

// The service worker's errors, which no page sees: added to problems as they come.
function watchServiceWorkers(browser, problems) {
  browser.on('targetcreated', async (target) => {
    if (target.type() !== 'service_worker') return;
    const worker = await target.worker().catch(() => null);
    worker?.on('console', (message) => {
      if (message.type() === 'error') problems.push(`service worker console error: ${message.text()}`);
    });
    worker?.on('error', (error) => problems.push(`service worker error: ${error.message ?? error}`));
  });
}

export async function startHarness({ root = siteDir } = {}) {
  const server = await startServer({ root });
  const browsers = [];
  const workerProblems = [];
  const harness = {
    server,
    browser: null,
    async newBrowser(options) {
      const browser = await launchBrowser(options);
      watchServiceWorkers(browser, workerProblems);
      browsers.push(browser);
      return browser;
    },
    // A page of the site in the harness's browser (or the one given), checked when t ends.
    async openPage(t, { path: pagePath = '/', viewport, waitUntilReady: ready = true, browser } = {}) {
      const owner = browser ?? harness.browser;
      const page = await owner.newPage();
      const problems = watchPage(page, server.origin);
      page.problems = problems;
      const firstWorkerProblem = workerProblems.length;
      t.after(async () => {
        await page.close().catch(() => {});
        problems.push(...workerProblems.slice(firstWorkerProblem));
        if (problems.length > 0) throw new Error(`the page went wrong:\n  ${problems.join('\n  ')}`);
      });
      if (viewport) await page.setViewport(viewport);
      await page.goto(new URL(pagePath, server.url).href, { waitUntil: 'load' });
      if (ready) await waitUntilReady(page);
      return page;
    },
    async stop() {
      await Promise.all(browsers.map((browser) => browser.close()));
      await server.stop();
    },
  };
  harness.browser = await harness.newBrowser();
  return harness;
}
