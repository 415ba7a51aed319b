// What every browser test of the page shares: a loopback server for the built site
// (build-web/site, or KALVORA_SITE; run `bash scripts/web.sh` first), headless Chromium, and
// pages (harness.openPage(t)) that fail their test on any console error, page error, failed or
// outside request, or error of the site's service worker.

import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

export const repoRoot = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
export const siteDir = path.resolve(process.env.KALVORA_SITE ?? path.join(repoRoot, 'build-web', 'site'));

// Streaming compilation of WebAssembly insists on its type.
const contentTypes = { '.html': 'text/html; charset=utf-8', '.css': 'text/css', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png', '.gif': 'image/gif', '.svg': 'image/svg+xml' };

// A static server on 127.0.0.1 for the files under `root` only, which a test may point at another
// build, stop and start again on the same port. `requests` lists every path asked for.
export async function startServer({ root = siteDir } = {}) {
  let http;
  const server = {
    root,
    port: 0,
    requests: [],
    get url() {
      return `http://127.0.0.1:${this.port}/`;
    },
    async start() {
      http = createServer(async (request, response) => {
        const { pathname } = new URL(request.url, server.url);
        server.requests.push(pathname);
        const file = path.join(server.root, decodeURIComponent(pathname).replace(/\/$/, '/index.html'));
        // Nothing outside the site, however the path is spelt; every visit asks again.
        const body = file.startsWith(server.root + path.sep) ? await readFile(file).catch(() => null) : null;
        if (!body) return response.writeHead(404).end();
        response.writeHead(200, { 'Content-Type': contentTypes[path.extname(file)] ?? 'application/octet-stream', 'Cache-Control': 'no-cache' });
        response.end(body);
      });
      await new Promise((resolve) => http.listen(server.port, '127.0.0.1', resolve));
      server.port = http.address().port;
    },
    // Ends the open connections too, so that the browser really sees a server gone.
    stop() {
      const closed = new Promise((resolve) => http.close(resolve));
      http.closeAllConnections();
      return closed;
    },
  };
  await server.start();
  return server;
}

// Debian's Chromium, headless, with a fresh profile that puppeteer removes on close, kept from
// talking to anything but the test's server. As root it needs --no-sandbox.
export const launchBrowser = () =>
  puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    defaultViewport: { width: 1280, height: 800 },
    args: [...(process.getuid?.() === 0 ? ['--no-sandbox'] : []), '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage'],
  });

// The load handler has run: both lists are filled and the grade box has the focus.
export const waitUntilReady = (page) =>
  page.waitForFunction(() => document.activeElement?.id === 'Combo1' && document.getElementById('Combo2')?.options?.length > 0);

// Notes in `problems` what must never happen on a page of the site.
function watchPage(page, origin, problems) {
  page.on('console', (message) => message.type() === 'error' && problems.push(`console error: ${message.text()}`));
  page.on('pageerror', (error) => problems.push(`page error: ${error.message ?? error}`));
  page.on('request', (request) => request.url().startsWith(origin) || problems.push(`request outside the site: ${request.url()}`));
  page.on('response', (response) => response.status() >= 400 && problems.push(`${response.status()} for ${response.url()}`));
  // A navigation that a test stops on purpose is no fault of the page.
  page.on('requestfailed', (request) => {
    const reason = request.failure()?.errorText ?? '';
    if (!reason.includes('ERR_ABORTED')) problems.push(`failed to load ${request.url()}: ${reason}`);
  });
}

// The service worker's errors, which no page sees.
function watchServiceWorkers(browser, problems) {
  browser.on('targetcreated', async (target) => {
    const worker = target.type() === 'service_worker' ? await target.worker().catch(() => null) : null;
    worker?.on('console', (message) => message.type() === 'error' && problems.push(`service worker console error: ${message.text()}`));
    worker?.on('error', (error) => problems.push(`service worker error: ${error.message ?? error}`));
  });
}

export async function startHarness() {
  const server = await startServer();
  const browsers = [];
  const workerProblems = [];
  const harness = {
    server,
    browser: null,
    // A browser with a fresh profile of its own, closed by stop().
    async newBrowser() {
      const browser = await launchBrowser();
      watchServiceWorkers(browser, workerProblems);
      browsers.push(browser);
      return browser;
    },
    // A page of the site, in the first browser or the one given; page.problems is what it saw.
    async openPage(t, { viewport, waitUntilReady: ready = true, browser = harness.browser } = {}) {
      const page = await browser.newPage();
      page.problems = [];
      watchPage(page, server.url, page.problems);
      const firstWorkerProblem = workerProblems.length;
      t.after(async () => {
        await page.close().catch(() => {});
        const problems = [...page.problems, ...workerProblems.slice(firstWorkerProblem)];
        if (problems.length > 0) throw new Error(`the page went wrong:\n  ${problems.join('\n  ')}`);
      });
      if (viewport) await page.setViewport(viewport);
      await page.goto(server.url, { waitUntil: 'load' });
      if (ready) await waitUntilReady(page);
      return page;
    },
    async stop() {
      await Promise.all(browsers.map((browser) => browser.close().catch(() => {})));
      await server.stop();
    },
  };
  harness.browser = await harness.newBrowser();
  return harness;
}
