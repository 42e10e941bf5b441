'use strict';
// Start-up of the web page against the least page that shows one box of the
// introduction's size with its text: both served by one server on 127.0.0.1 and loaded
// by one Chromium, alternately, each load in a fresh profile (nothing cached, no service
// worker). The figure is Chromium's first contentful paint: for the page, its first
// window, the introduction, painted with its text. With --phone both are loaded on a
// phone's screen (390 x 844 CSS px at 3 device pixels each, touch), where the page's first
// window is its one-column layout.
//
//     node bench/web/startup.cjs SITE [--phone] [--runs N] [--markdown FILE] [--samples FILE]

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');
const { serve } = require('../../harness/web/server.cjs');

const args = process.argv.slice(2);
const option = (name, fallback) => {
  const at = args.indexOf(name);
  return at >= 0 ? args[at + 1] : fallback;
};
const site = args[0];
const runs = Number(option('--runs', 21));
const phone = args.includes('--phone');
const screen = phone
  ? { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true }
  : { width: 1024, height: 768 };

function median(values) {
  const v = [...values].sort((a, b) => a - b);
  return v.length % 2 ? v[(v.length - 1) / 2] : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
}
function quartiles(values) {
  const v = [...values].sort((a, b) => a - b);
  const at = (q) => v[Math.round(q * (v.length - 1))];
  return [at(0.25), at(0.75)];
}

async function firstPaint(browser, url, ready) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport(screen);
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForFunction(ready);
  const paint = await page.waitForFunction(() => {
    const fcp = performance.getEntriesByName('first-contentful-paint')[0];
    return fcp && fcp.startTime;
  });
  const ms = await paint.jsonValue();
  await context.close();
  return ms;
}

(async () => {
  // One folder for both, so that one server serves them.
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tervanel-bench-web-'));
  fs.cpSync(site, folder, { recursive: true });
  fs.copyFileSync(path.join(__dirname, 'least.html'), path.join(folder, 'least.html'));
  const server = await serve(folder);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tervanel-bench-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.TERVANEL_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run', `--user-data-dir=${profile}`,
      // Each new tab would also have the browser make its own address-bar pop-up pages
      // in two more renderers, which on two processors compete with the page measured.
      '--disable-features=WebUIOmniboxPopup,WebUIOmniboxFullPopup,WebUIOmniboxAimPopup,PreloadTopChromeWebUI'],
  });
  const pages = {
    program: [server.url, () => document.querySelector('#frmSplash:not([hidden])')],
    least: [`${server.url}least.html`, () => true],
  };
  const samples = { program: [], least: [] };
  try {
    for (let i = 0; i < 3; ++i) // warm-up: the browser's own start, the disk cache of the files
      for (const [url, ready] of Object.values(pages)) await firstPaint(browser, url, ready);
    for (let i = 0; i < runs; ++i) {
      for (const [name, [url, ready]] of Object.entries(pages))
        samples[name].push(await firstPaint(browser, url, ready));
    }
  } finally {
    await browser.close();
    await server.close();
    fs.rmSync(profile, { recursive: true, force: true });
    fs.rmSync(folder, { recursive: true, force: true });
  }

  const program = median(samples.program), least = median(samples.least);
  const ratio = program / least;
  // The program's script, beside the page.
  const script = fs.readFileSync(path.join(site, 'tervanel.js'));
  const gzip = require('node:zlib').gzipSync(script, { level: 9 }).length;
  const row = (name) => {
    const [q1, q3] = quartiles(samples[name]);
    return `| ${name === 'program' ? 'the page (its introduction)' : 'the least page (one box, its text)'} | ${median(samples[name]).toFixed(1)} ms | ${q1.toFixed(1)} to ${q3.toFixed(1)} ms |`;
  };
  const markdown = [
    `On ${phone ? "a phone's screen (390 x 844 CSS px, 3 device pixels each)" : "a desktop's screen (1024 x 768)"}:`,
    `${runs} loads each, alternating, after 3 warm-up rounds; each load in a fresh browser profile`,
    '(nothing cached, no service worker), one Chromium, one server on 127.0.0.1.',
    '',
    '| page | first contentful paint, median | quartiles |',
    '|---|---:|---:|',
    row('program'),
    row('least'),
    '',
    `Ratio of the medians: **${ratio.toFixed(2)}** (target at most 1.3).`,
    `The program's script (tervanel.js, its WebAssembly inside it): ${script.length} bytes, ${gzip} bytes with gzip -9 (${(gzip / 1024).toFixed(1)} KiB; target at most 150 KiB).`,
  ].join('\n');
  console.log(markdown);
  if (option('--markdown')) fs.writeFileSync(option('--markdown'), `${markdown}\n`);
  if (option('--samples')) {
    fs.writeFileSync(option('--samples'), `run,program_ms,least_ms\n${samples.program
      .map((p, i) => `${i + 1},${p.toFixed(2)},${samples.least[i].toFixed(2)}`).join('\n')}\n`);
  }
  process.exitCode = ratio <= 1.3 ? 0 : 1;
})();
