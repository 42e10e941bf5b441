'use strict';
// The site around the program: private (no request once loaded, nothing stored, a policy
// that forbids connections and foreign scripts), offline after one visit, installable and
// light; it also takes the README's pictures of a desktop (phone.test.cjs, of a phone).

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { expected, launch, waitFor, Program } = require('./browser.cjs');

let env;
before(async () => { env = await launch(); });
after(async () => { await env.close(); });

// Once the service worker has stored the site: it is what serves it from then on.
async function waitForStore(page) {
  await page.evaluate(() => navigator.serviceWorker.ready);
  await waitFor(() => page.evaluate(() => !!navigator.serviceWorker.controller), 'the worker in charge');
}

// One use of the program from the introduction to "Fine", boxes included.
async function tour(program) {
  await program.waitForIntroduction();
  await program.dismissWithKey();
  await program.click('Command1');
  await program.answerOnly([1, 2, 5]);
  await program.click('Command1');
  await program.answerOnly([1, 3]);
  await program.click('Command1');
  await program.boxUp(expected.boxes.uncertain.title);
  await program.page.keyboard.press('Enter');
  await program.boxGone();
  await program.click('Label_dorvik');
  await program.boxUp(expected.boxes.Label_dorvik.title);
  await program.page.keyboard.press('Enter');
  await program.boxGone();
  await program.click('Command2');
  await waitFor(async () => (await program.state()).ended, 'the end');
}

test('once loaded, the page asks for nothing, stores nothing but the site, runs no foreign code', async () => {
  const context = await env.browser.createBrowserContext();
  const page = await context.newPage();
  const program = new Program(page);
  const violations = [];
  await page.exposeFunction('noteViolation', (v) => violations.push(v));
  await page.evaluateOnNewDocument(() => {
    window.__tones = 0;
    document.addEventListener('securitypolicyviolation',
      (e) => window.noteViolation(`${e.violatedDirective} ${e.blockedURI}`));
  });
  await page.goto(env.server.url, { waitUntil: 'load' });
  await waitForStore(page);
  const policy = await page.$eval('meta[http-equiv="Content-Security-Policy"]', (m) => m.content);
  assert.match(policy, /connect-src 'none'/);
  assert.match(policy, /default-src 'self'/);
  // Scripts: the site's files and the one inside the page, by its digest; styles alike.
  assert.match(policy, /script-src 'self' 'sha256-[A-Za-z0-9+/]{43}=' 'wasm-unsafe-eval'(;|$)/);
  assert.match(policy, /style-src 'self' 'sha256-[A-Za-z0-9+/]{43}='(;|$)/);

  // Whatever the page still asks for once loaded (the browser's icon for its tab, a
  // picture it already holds) must be answered inside the browser: from the worker's
  // store or the memory cache, never from the network.
  const requests = [];
  page.on('requestfinished', (r) => {
    const response = r.response();
    if (!response || !(response.fromServiceWorker() || response.fromCache())) requests.push(r.url());
  });
  page.on('requestfailed', (r) => requests.push(r.url()));
  const served = env.server.requests.length;
  await tour(program);
  assert.deepEqual(requests, [], 'requests once loaded');
  assert.deepEqual(env.server.requests.slice(served), [], 'what the server was asked once loaded');
  assert.deepEqual(violations, [], 'the program itself breaks no rule of the policy');
  assert.deepEqual(program.errors, []);

  // The policy holds: a connection and a script from elsewhere are refused.
  const refused = await page.evaluate(async () => {
    try {
      await fetch('/index.html');
      return false;
    } catch (e) {
      return true;
    }
  });
  assert.ok(refused, 'a fetch is refused');
  await waitFor(() => violations.some((v) => v.startsWith('connect-src')), 'the refusal reported');

  const stored = await page.evaluate(async () => ({
    cookies: document.cookie,
    local: localStorage.length,
    session: sessionStorage.length,
    databases: (await indexedDB.databases()).length,
    caches: await caches.keys(),
  }));
  assert.deepEqual(await page.cookies(), []);
  assert.deepEqual({ ...stored, caches: stored.caches.map((n) => n.replace(/-[0-9a-f]+$/, '')) },
    { cookies: '', local: 0, session: 0, databases: 0, caches: ['tervanel'] });
  await context.close();
});

test('after one visit the page works without the network', async () => {
  const context = await env.browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(env.server.url, { waitUntil: 'load' });
  await waitForStore(page);
  await page.setOfflineMode(true);
  const served = env.server.requests.length;
  await page.reload({ waitUntil: 'load' });
  const program = new Program(page);
  await program.waitForIntroduction();
  await program.dismissWithKey();
  await program.answer(3);
  await program.click('Command1');
  await waitFor(async () => (await program.state()).controls.Picture1.visible, 'a verdict offline');
  assert.equal((await program.state()).controls.responso_mix.text, 'Patologia arteriosa...');
  assert.deepEqual(env.server.requests.slice(served), [], 'nothing reached the server');
  assert.deepEqual(program.errors.filter((e) => !/ERR_INTERNET_DISCONNECTED/.test(e)), []);
  await context.close();
});

test('Chromium counts the page installable', async () => {
  const page = await env.browser.newPage();
  await page.goto(env.server.url, { waitUntil: 'load' });
  await waitForStore(page);
  const cdp = await page.createCDPSession();
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
  const manifest = JSON.parse(fs.readFileSync(path.join(process.env.TERVANEL_SITE, 'manifest.json')));
  assert.equal(manifest.display, 'standalone');
  assert.deepEqual(manifest.icons.map((i) => i.sizes).sort(), ['192x192', '512x512']);
  for (const icon of manifest.icons) {
    const png = fs.readFileSync(path.join(process.env.TERVANEL_SITE, icon.src));
    assert.equal(`${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`, icon.sizes, icon.src);
  }
  await page.close();
});

test('the program weighs at most 150 KiB with gzip', () => {
  const program = fs.readFileSync(path.join(process.env.TERVANEL_SITE, 'tervanel.js'), 'utf8');
  // Its WebAssembly inside it, in Base64: "\0asm" and on.
  assert.match(program, /AGFzbQ[A-Za-z0-9+/]{1000,}/, 'its WebAssembly inside it');
  const gzip = zlib.gzipSync(program, { level: 9 }).length;
  assert.ok(gzip <= 150 * 1024, `${gzip} bytes`);
  assert.deepEqual(fs.readdirSync(process.env.TERVANEL_SITE).filter((f) => /\.(js|wasm)$/.test(f)),
    ['sw.js', 'tervanel.js'], 'no other program file');
});

test('the desktop pictures of the README', { skip: !process.env.TERVANEL_SCREENSHOTS }, async () => {
  const folder = process.env.TERVANEL_SCREENSHOTS;
  fs.mkdirSync(folder, { recursive: true });
  const program = await Program.open(env, { viewport: { width: 960, height: 600 } });
  await program.waitForIntroduction();
  await program.page.screenshot({ path: path.join(folder, 'desktop-introduction.png') });
  await program.dismissWithKey();
  await program.answerOnly([1, 2, 5, 7]);
  await program.click('Command1');
  await waitFor(async () => (await program.state()).controls.Diagnosi_locomotore.visible, 'the verdict');
  await program.page.evaluate(() => document.activeElement.blur());
  await program.page.screenshot({ path: path.join(folder, 'desktop-verdict.png') });
  await program.page.close();
});
