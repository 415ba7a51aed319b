// After a first visit the calculator opens and computes with the server gone; a newer build
// replaces the cached one whole, and no page ever runs files of both.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cp, mkdtemp, readFile, rm, appendFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { startHarness, repoRoot, siteDir, waitUntilReady } from './harness.mjs';
import { estimateRoundBar } from './calculator.mjs';

let harness, work;
before(async () => ([work, harness] = await Promise.all([mkdtemp(path.join(tmpdir(), 'kalvora-builds-')), startHarness()])));
after(() => Promise.all([harness.stop(), rm(work, { recursive: true, force: true })]));

// A copy of the site, so that a build made meanwhile changes nothing under the test, and a copy
// as a second build: one file changed, and the worker written again for it.
async function copyOfSite(name, change = async () => {}) {
  const folder = path.join(work, name);
  await cp(siteDir, folder, { recursive: true });
  await change(folder);
  execFileSync('python3', [path.join(repoRoot, 'web', 'generate_offline.py'), folder]);
  return folder;
}

// The files that the worker of a build on disk lists and that the page gets otherwise than there.
async function filesDifferingFrom(page, folder) {
  const files = JSON.parse(/const FILES = (\[.*\]);/.exec(await readFile(path.join(folder, 'sw.js'), 'utf8'))[1]);
  const served = await page.evaluate((names) => Promise.all(names.map(async (name) => [...new Uint8Array(await (await fetch(name)).arrayBuffer())])), files);
  const onDisk = await Promise.all(files.map((name) => readFile(path.join(folder, name === './' ? 'index.html' : name))));
  return files.filter((name, i) => !onDisk[i].equals(Buffer.from(served[i])));
}

const controlled = (page) => page.waitForFunction(() => navigator.serviceWorker.controller?.state === 'activated');
const reload = (page) => page.reload({ waitUntil: 'load' }).then(() => waitUntilReady(page)).then(() => page);
const cacheNames = (page) => page.evaluate(() => caches.keys());

test('the site installs as an app, and after the first visit opens and computes without the server', async (t) => {
  const online = await harness.openPage(t, { browser: await harness.newBrowser() });
  await controlled(online);
  const cdp = await online.createCDPSession();
  const [{ installabilityErrors }, { errors }] = await Promise.all([cdp.send('Page.getInstallabilityErrors'), cdp.send('Page.getAppManifest')]);
  assert.deepEqual([installabilityErrors, errors], [[], []]);
  const figures = await estimateRoundBar(online);
  await harness.server.stop();
  t.after(() => harness.server.start());
  const rows = [
    ['the same tab, reloaded', () => reload(online)],
    ['a new tab', () => harness.openPage(t, { browser: online.browser() })],
  ];
  for (const [name, open] of rows) await t.test(name, async () => assert.deepEqual(await estimateRoundBar(await open()), figures));
});

test('a newer build takes over whole once no page of the old one is open', async (t) => {
  const browser = await harness.newBrowser();
  const older = await copyOfSite('older');
  const newer = await copyOfSite('newer', (folder) => appendFile(path.join(folder, 'page.css'), '\n/* newer */\n'));
  harness.server.root = older;
  t.after(() => (harness.server.root = siteDir));
  const first = await harness.openPage(t, { browser });
  await controlled(first);
  const [olderCache] = await cacheNames(first);

  harness.server.root = newer;
  // The next visit finds the newer worker; it fills its cache while the older build goes on.
  await reload(first);
  await first.waitForFunction(async () => (await navigator.serviceWorker.getRegistration())?.waiting);
  // However often it reloads, an open page keeps the build it has.
  await reload(first);
  assert.deepEqual(await filesDifferingFrom(first, older), [], 'the open page runs the older build only');
  assert.equal((await cacheNames(first)).length, 2, 'both builds cached');
  assert.ok(await first.evaluate(async () => (await navigator.serviceWorker.getRegistration()).waiting), 'still waiting');

  await first.close();
  const second = await harness.openPage(t, { browser });
  await controlled(second);
  assert.deepEqual(await filesDifferingFrom(second, newer), [], 'the next page runs the newer build only');
  const names = await cacheNames(second);
  assert.ok(names.length === 1 && names[0] !== olderCache, `the older cache is gone: ${names}`);
  await estimateRoundBar(second);
});
