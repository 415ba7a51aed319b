// Times the web page in headless Chromium (bash scripts/web.sh --benchmark):
// - from navigation until the page is usable (both lists filled, the focus in Combo1), against
//   the floor: the same page with its scripts taken out, loaded to its load event; the two are
//   interleaved in one run, each in a fresh tab without the service worker, medians of RUNS each;
// - CALCULATE inside the page: the click handler of the round bar estimate;
// - the size of a first visit: every file the server sent until the service worker took over,
//   each compressed with gzip -9.
import { cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { gzipSync } from 'node:zlib';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { launchBrowser, siteDir, startServer, waitUntilReady } from './tests/harness.mjs';
import { estimateRoundBar } from './tests/calculator.mjs';

const RUNS = Number(process.env.KALVORA_BENCHMARK_RUNS ?? 25);
// The page's clock counts in steps of 0.1 ms, longer than one click: clicks are timed in batches.
const BATCHES = 40;
const CLICKS_PER_BATCH = 50;
const BUDGET_KB = 100;

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return (sorted[Math.floor((sorted.length - 1) / 2)] + sorted[Math.ceil((sorted.length - 1) / 2)]) / 2;
};
const ms = (value) => `${value.toFixed(1)} ms`;

// The page as it is drawn before any script runs.
async function staticCopy(folder) {
  await cp(siteDir, folder, { recursive: true });
  const page = path.join(folder, 'index.html');
  await writeFile(page, (await readFile(page, 'utf8')).replace(/<script\b[^>]*><\/script>\n?/g, ''));
}

// Runs in the page before its scripts: notes when it becomes usable, and when it has loaded.
function noteUsable() {
  window.kalvoraTimes = {};
  document.addEventListener('focusin', (event) => {
    if (event.target.id === 'Combo1' && document.getElementById('Combo2').options.length > 0) window.kalvoraTimes.usable ??= performance.now();
  }, true);
  window.addEventListener('load', () => (window.kalvoraTimes.loaded = performance.now()));
}

async function timeOnce(browser, url, scripted) {
  const page = await browser.newPage();
  await (await page.createCDPSession()).send('Network.setBypassServiceWorker', { bypass: true });
  await page.evaluateOnNewDocument(noteUsable);
  await page.goto(url, { waitUntil: 'load' });
  if (scripted) await waitUntilReady(page);
  const times = await page.evaluate(() => window.kalvoraTimes);
  await page.close();
  return scripted ? times.usable : times.loaded;
}

async function startUp(browser, server, floorServer) {
  const usable = [];
  const floor = [];
  for (let run = 0; run < RUNS; run += 1) {
    // Which goes first changes every run, so that neither always finds the machine warmer.
    const pair = [async () => usable.push(await timeOnce(browser, server.url, true)), async () => floor.push(await timeOnce(browser, floorServer.url, false))];
    if (run % 2) pair.reverse();
    for (const measure of pair) await measure();
  }
  return { usable: median(usable), floor: median(floor) };
}

async function calculate(browser, server) {
  const page = await browser.newPage();
  await page.goto(server.url, { waitUntil: 'load' });
  await waitUntilReady(page);
  await estimateRoundBar(page);
  const times = await page.evaluate((batches, clicks) => {
    const button = document.getElementById('Command1');
    return Array.from({ length: batches }, () => {
      const start = performance.now();
      for (let i = 0; i < clicks; i += 1) button.click();
      return (performance.now() - start) / clicks;
    });
  }, BATCHES, CLICKS_PER_BATCH);
  await page.close();
  return median(times);
}

async function firstVisit(server) {
  const browser = await launchBrowser();
  try {
    const first = server.requests.length;
    const page = await browser.newPage();
    await page.goto(server.url, { waitUntil: 'load' });
    await waitUntilReady(page);
    await page.waitForFunction(() => navigator.serviceWorker.controller?.state === 'activated');
    const files = [...new Set(server.requests.slice(first))].map((file) => (file === '/' ? 'index.html' : file));
    const bodies = await Promise.all(files.map((file) => readFile(path.join(server.root, file))));
    const sum = (sizes) => sizes.reduce((a, b) => a + b, 0);
    return { files: files.length, raw: sum(bodies.map((body) => body.length)), compressed: sum(bodies.map((body) => gzipSync(body, { level: 9 }).length)) };
  } finally {
    await browser.close();
  }
}

const floorFolder = await mkdtemp(path.join(tmpdir(), 'kalvora-static-'));
await staticCopy(floorFolder);
const server = await startServer();
const floorServer = await startServer({ root: floorFolder });
const browser = await launchBrowser();
try {
  const visit = await firstVisit(server);
  const { usable, floor } = await startUp(browser, server, floorServer);
  const click = await calculate(browser, server);
  const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;
  console.log(`Usable (lists filled, focus in Combo1): ${ms(usable)}, median of ${RUNS}`);
  console.log(`Static layout only (scripts removed, load event): ${ms(floor)}, median of ${RUNS}`);
  console.log(`Usable / static: ${(usable / floor).toFixed(2)}`);
  console.log(`CALCULATE inside the page: ${(click * 1000).toFixed(0)} µs, median of ${BATCHES} batches of ${CLICKS_PER_BATCH} clicks`);
  console.log(`First visit: ${visit.files} files, ${kb(visit.raw)}, ${kb(visit.compressed)} with gzip -9 (budget ${BUDGET_KB} KB)`);
  if (visit.compressed > BUDGET_KB * 1024) process.exitCode = 1;
} finally {
  await Promise.all([browser.close(), server.stop(), floorServer.stop(), rm(floorFolder, { recursive: true, force: true })]);
}
