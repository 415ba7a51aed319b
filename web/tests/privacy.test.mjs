// Nothing stored, nothing sent: the page's Content-Security-Policy holds and is never broken, and
// a whole estimate leaves no cookie and no storage, and asks only for the site's own files.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { startHarness } from './harness.mjs';
import { estimateRoundBar } from './calculator.mjs';

let harness;
before(async () => (harness = await startHarness()));
after(() => harness.stop());

test('the policy allows only the site and its WebAssembly', async (t) => {
  const page = await harness.openPage(t);
  const policy = await page.$eval('meta[http-equiv="Content-Security-Policy"]', (meta) => meta.content);
  const directives = Object.fromEntries(policy.split(';').map((part) => part.trim().split(/\s+/)).map(([name, ...sources]) => [name, sources.join(' ')]));
  const [self, none] = ["'self'", "'none'"];
  assert.deepEqual(directives, { 'default-src': self, 'script-src': `${self} 'wasm-unsafe-eval'`, 'style-src': self, 'img-src': self, 'connect-src': self,
    'font-src': self, 'manifest-src': self, 'worker-src': self, 'object-src': none, 'base-uri': none, 'form-action': none });
});

// Each attempt runs in the page and says whether it got through.
const attempts = [
  ['an inline script', () => {
    document.head.append(Object.assign(document.createElement('script'), { textContent: 'window.kalvoraInline = true;' }));
    return window.kalvoraInline === true;
  }],
  // Code that the test hands in runs with the debugger's rights; a string timer runs as the page.
  ['eval', () => new Promise((resolve) => {
    document.addEventListener('securitypolicyviolation', () => resolve(false), { once: true });
    window.kalvoraEvaluated = resolve;
    setTimeout('window.kalvoraEvaluated(true)', 0);
  })],
  ['a style attribute', () => {
    document.getElementById('Label1').setAttribute('style', 'display: none');
    return getComputedStyle(document.getElementById('Label1')).display === 'none';
  }],
  ['a picture from elsewhere', () => Object.assign(new Image(), { src: 'http://127.0.0.2:9/logo.gif' }).decode().then(() => true, () => false)],
];

test('the policy refuses what the page must never do', async (t) => {
  const page = await harness.openPage(t);
  for (const [name, attempt] of attempts) {
    await t.test(name, async () => {
      const before = page.problems.length;
      assert.equal(await page.evaluate(attempt), false, 'refused');
      // The refusal is reported on the console; that is expected here and nowhere else.
      const reported = page.problems.splice(before);
      assert.ok(reported.length > 0, 'reported');
      for (const problem of reported) assert.match(problem, /Refused|Content Security Policy|127\.0\.0\.2/);
    });
  }
});

test('an estimate stores nothing, breaks no policy and asks only for the site files', async (t) => {
  // A browser of its own, so that this is a first visit. A breach of the policy fails the test as
  // every console error does (see the refusals above), and so does a request beyond the site or
  // for a file it does not have.
  const checked = await harness.openPage(t, { browser: await harness.newBrowser() });
  assert.ok((await estimateRoundBar(checked)).every(Boolean), 'the estimate was shown');
  const seen = await checked.evaluate(async () => ({
    cookie: document.cookie,
    local: localStorage.length,
    session: sessionStorage.length,
    databases: (await indexedDB.databases()).length,
    // The service worker's own cache of the site, and nothing else.
    caches: (await caches.keys()).filter((name) => !/^kalvora-[0-9a-f]{16}$/.test(name)),
  }));
  const { cookies } = await (await checked.createCDPSession()).send('Network.getAllCookies');
  assert.deepEqual({ ...seen, cookies }, { cookie: '', local: 0, session: 0, databases: 0, caches: [], cookies: [] });
});
