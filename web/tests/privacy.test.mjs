// Nothing stored, nothing sent: the page's Content-Security-Policy holds and is never broken, and
// a whole estimate leaves no cookie and no storage, and asks only for the site's own files.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { existsSync } from 'node:fs';
import path from 'node:path';
import { startHarness } from './harness.mjs';
import { estimateRoundBar } from './estimate_by_hand.mjs';

let harness;
before(async () => {
  harness = await startHarness();
});
after(() => harness.stop());

// Runs before the page's own scripts: notes every breach of the policy.
function watchPolicy() {
  window.kalvoraViolations = [];
  document.addEventListener('securitypolicyviolation', (event) =>
    window.kalvoraViolations.push(`${event.violatedDirective} ${event.blockedURI}`),
  );
}

test('the policy allows only the site and its WebAssembly', async (t) => {
  const page = await harness.openPage(t);
  const policy = await page.$eval('meta[http-equiv="Content-Security-Policy"]', (meta) => meta.content);
  const directives = new Map(
    policy.split(';').map((part) => {
      const [name, ...sources] = part.trim().split(/\s+/);
      return [name, sources.join(' ')];
    }),
  );
  const rows = [
    { directive: 'default-src', sources: "'self'" },
    { directive: 'script-src', sources: "'self' 'wasm-unsafe-eval'" },
    { directive: 'style-src', sources: "'self'" },
    { directive: 'connect-src', sources: "'self'" },
    { directive: 'img-src', sources: "'self'" },
    { directive: 'object-src', sources: "'none'" },
    { directive: 'base-uri', sources: "'none'" },
    { directive: 'form-action', sources: "'none'" },
  ];
  for (const row of rows) {
    await t.test(row.directive, () => assert.equal(directives.get(row.directive), row.sources));
  }
});

test('the policy refuses what the page must never do', async (t) => {
  const page = await harness.openPage(t);
  const rows = [
    {
      name: 'an inline script',
      attempt: () => {
        const script = document.createElement('script');
        script.textContent = 'window.kalvoraInline = true;';
        document.head.append(script);
        return window.kalvoraInline === true;
      },
    },
    {
      // Code that the test hands in runs with the debugger's rights; a string timer runs as the page.
      name: 'eval',
      attempt: () =>
        new Promise((resolve) => {
          document.addEventListener('securitypolicyviolation', () => resolve(false), { once: true });
          window.kalvoraEvaluated = resolve;
          setTimeout('window.kalvoraEvaluated(true)', 0);
        }),
    },
    {
      name: 'a style attribute',
      attempt: () => {
        const label = document.getElementById('Label1');
        label.setAttribute('style', 'display: none');
        return getComputedStyle(label).display === 'none';
      },
    },
    {
      name: 'a picture from elsewhere',
      attempt: async () => {
        const image = new Image();
        image.src = 'http://127.0.0.2:9/logo.gif';
        return await image.decode().then(() => true, () => false);
      },
    },
  ];
  for (const row of rows) {
    await t.test(row.name, async () => {
      const before = page.problems.length;
      assert.equal(await page.evaluate(row.attempt), false, 'refused');
      // The refusal is reported on the console; that is expected here and nowhere else.
      const reported = page.problems.splice(before);
      assert.ok(reported.length > 0, 'reported');
      for (const problem of reported) assert.match(problem, /Refused|Content Security Policy|127\.0\.0\.2/);
    });
  }
});

test('an estimate stores nothing, breaks no policy and asks only for the site files', async (t) => {
  // A browser of its own, so that this is a first visit that the server sees whole.
  const browser = await harness.newBrowser();
  const firstRequest = harness.server.requests.length;
  const checked = await harness.openPage(t, { waitUntilReady: false, browser });
  await checked.evaluateOnNewDocument(watchPolicy);
  await checked.reload({ waitUntil: 'load' });
  await checked.waitForFunction(() => document.activeElement?.id === 'Combo1');
  await estimateRoundBar(checked);
  assert.equal(await checked.$eval('#Frame4', (frame) => frame.hidden), false, 'the estimate was shown');
  const seen = await checked.evaluate(async () => ({
    violations: window.kalvoraViolations,
    cookie: document.cookie,
    local: localStorage.length,
    session: sessionStorage.length,
    databases: (await indexedDB.databases()).length,
    // The service worker's own cache of the site, and nothing else.
    caches: (await caches.keys()).filter((name) => !/^kalvora-[0-9a-f]{16}$/.test(name)),
  }));
  assert.deepEqual(seen, { violations: [], cookie: '', local: 0, session: 0, databases: 0, caches: [] });
  const cdp = await checked.createCDPSession();
  const { cookies } = await cdp.send('Network.getAllCookies');
  assert.deepEqual(cookies, []);
  const asked = harness.server.requests.slice(firstRequest);
  assert.ok(asked.length > 0);
  const strays = asked.filter((file) => !existsSync(path.join(harness.server.root, file === '/' ? 'index.html' : file)));
  assert.deepEqual(strays, [], 'every request is for a file of the site');
});
