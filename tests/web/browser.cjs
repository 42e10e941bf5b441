'use strict';
// What the browser tests share: the site served on 127.0.0.1, Debian's Chromium started
// headless with a profile of its own, and the page as a person meets it: where its
// controls are, what they show, and real input (mouse, keys, touch) through Chromium.

const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');
const { serve } = require('../../harness/web/server.cjs');

const site = process.env.TERVANEL_SITE;
const expected = JSON.parse(fs.readFileSync(process.env.TERVANEL_EXPECTATIONS, 'utf8'));
const axeSource = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');

// Phones' screens in CSS pixels, touch, a phone's browser.
const phones = {
  320: { width: 320, height: 568, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
  390: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
};
const phoneAgent = 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) '
  + 'Chrome/130.0.0.0 Mobile Safari/537.36';

// What the system asks of the page's colours, as Chromium's settings would: e.g.
// [{ name: 'prefers-contrast', value: 'more' }].
async function emulateMedia(page, features) {
  const cdp = await page.createCDPSession();
  await cdp.send('Emulation.setEmulatedMedia', { features });
}

// axe-core's WCAG 2.2 A and AA rules (contrast and target size among them) on the page as
// it stands, but those named in `off`: each violation as "rule: the elements". Run
// through the debugging protocol, which the page's policy does not stop.
async function wcagViolations(page, off = []) {
  if (!(await page.evaluate(() => typeof axe !== 'undefined'))) await page.evaluate(axeSource);
  const result = await page.evaluate((off) => axe.run(document, {
    runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'], resultTypes: ['violations'],
    rules: Object.fromEntries(off.map((rule) => [rule, { enabled: false }])) }), off);
  return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
}

// No traffic of Chromium's own: this machine has no network but the registries, and
// the tests count every request the page makes.
const chromiumFlags = ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic',
  '--disable-features=Translate,MediaRouter', '--autoplay-policy=user-gesture-required'];

async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'tervanel-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.TERVANEL_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: [...chromiumFlags, `--user-data-dir=${profile}`],
  });
  const server = await serve(site);
  return {
    browser, server,
    async close() {
      await browser.close();
      await server.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Counts the tones the page starts, as the beep makes them, before any script of it runs.
function countTones() {
  window.__tones = 0;
  const start = OscillatorNode.prototype.start;
  OscillatorNode.prototype.start = function(...args) {
    ++window.__tones;
    return start.apply(this, args);
  };
}

async function waitFor(condition, what, timeout = 5000) {
  const until = Date.now() + timeout;
  for (;;) {
    const value = await condition();
    if (value) return value;
    if (Date.now() > until) assert.fail(`waited in vain for ${what}`);
    await new Promise((r) => setTimeout(r, 20));
  }
}

// The page of one run of the program.
class Program {
  constructor(page) {
    this.page = page;
    this.errors = [];
    page.on('pageerror', (e) => this.errors.push(e.message));
    page.on('console', (m) => {
      if (m.type() === 'error') this.errors.push(m.text());
    });
  }

  // `phone`: the width of one of the phones above; `media`: what the system asks
  // (emulateMedia).
  static async open(env, { viewport = { width: 1024, height: 768 }, phone, media, url } = {}) {
    const page = await env.browser.newPage();
    if (phone) await page.emulate({ viewport: phones[phone], userAgent: phoneAgent });
    else await page.setViewport(viewport);
    if (media) await emulateMedia(page, media);
    await page.evaluateOnNewDocument(countTones);
    const program = new Program(page);
    await page.goto(url || env.server.url, { waitUntil: 'load' });
    return program;
  }

  // The introduction, drawn with its picture and its fonts.
  async waitForIntroduction() {
    await waitFor(() => this.page.evaluate(async () => {
      const w = document.getElementById('frmSplash');
      const img = w && w.querySelector('#frmSplash-Image1 img');
      return w && !w.hidden && img && img.complete && (await document.fonts.ready, true);
    }), 'the introduction');
    await this.painted();
  }

  // A window is fitted to the screen (as designed, or in one column) in the frame that
  // first paints it: past that frame.
  async painted() {
    await this.page.evaluate(() => new Promise((done) => requestAnimationFrame(() => done())));
  }

  async dismissWithKey(key = 'a') {
    await this.page.keyboard.press(key);
    await this.waitForQuestionnaire();
  }

  async waitForQuestionnaire(after = '') {
    await waitFor(() => this.page.evaluate(() => {
      const form = document.getElementById('Form1');
      return form && !form.hidden && !document.getElementById('frmSplash');
    }), `the questionnaire alone ${after}`);
    await this.painted();
  }

  // The centre of a control, in the page's pixels.
  async centre(id) {
    const box = await this.page.$eval(`#${id.includes('-') ? id : 'Form1-' + id}`, (el) => {
      const r = el.getBoundingClientRect();
      return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
    });
    return box;
  }

  async click(id, count = 1) {
    const { x, y } = await this.centre(id);
    await this.page.mouse.click(x, y, { clickCount: count });
  }

  async doubleClick(id) {
    await this.click(id, 2);
  }

  // A tap, as a person makes it: the control scrolled into sight first (in one column
  // the page is longer than the screen).
  async tap(id, count = 1) {
    await this.tapOn(`#${id.includes('-') ? id : 'Form1-' + id}`, count);
  }

  // A double tap: two taps in a row, as quick as a finger makes them.
  async doubleTap(id) {
    await this.tap(id, 2);
  }

  async tapOn(selector, count = 1) {
    const { x, y } = await this.page.$eval(selector, (el) => {
      el.scrollIntoView({ block: 'nearest' });
      const r = el.getBoundingClientRect();
      return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
    });
    for (let i = 0; i < count; ++i) await this.page.touchscreen.tap(x, y);
  }

  // What the user sees of the questionnaire's controls and its open box.
  async state() {
    return this.page.evaluate(() => {
      const form = document.getElementById('Form1');
      const controls = {};
      if (form) {
        for (const el of form.querySelectorAll('.client [id]')) {
          const style = getComputedStyle(el);
          controls[el.id.replace('Form1-', '')] = {
            visible: el.offsetParent !== null,
            text: el.textContent.replace(/\n/g, '\r'),
            bold: Number(style.fontWeight) >= 700,
            fore: style.color,
            back: style.backgroundColor,
          };
        }
      }
      const box = document.querySelector('dialog[open]');
      return {
        controls,
        box: box && { title: box.querySelector('.title').textContent,
                      prompt: box.querySelector('.prompt').textContent.replace(/\n/g, '\r') },
        focus: document.activeElement && document.activeElement.id.replace(/^Form1-/, ''),
        // What the live region tells screen readers, and whether a box holds it.
        said: [...document.querySelectorAll('.live p')].map((p) => p.textContent).join('\n'),
        // (The live region comes with the program, once the page's copy is painted.)
        saidInBox: !!(document.querySelector('.live') || document.body).closest('dialog'),
        tones: window.__tones,
        ended: !document.getElementById('ended').hidden
          && document.getElementById('ended').textContent,
      };
    });
  }

  // Runs an action and waits for the live region to tell screen readers something anew.
  async announced(action) {
    // Words still waiting for the event loop (the answers' own) are said first.
    await this.page.evaluate(() => new Promise((r) => setTimeout(r, 0)));
    await this.page.evaluate(() => { window.__said = document.querySelector('.live p'); });
    await action();
    await waitFor(() => this.page.evaluate(() => document.querySelector('.live p') !== window.__said),
      'an announcement');
    return this.state();
  }

  async answer(n) {
    const id = `Label${n}`;
    await this.click(id);
    await waitFor(async () => (await this.state()).controls[id].bold, `question ${n} bold`);
  }

  async takeBack(n) {
    const id = `Label${n}`;
    await this.doubleClick(id);
    await waitFor(async () => !(await this.state()).controls[id].bold, `question ${n} regular`);
  }

  // Sets the answers to exactly these questions.
  async answerOnly(yes) {
    const state = await this.state();
    for (let n = 1; n <= 13; ++n) {
      const bold = state.controls[`Label${n}`].bold;
      if (bold && !yes.includes(n)) await this.takeBack(n);
      if (!bold && yes.includes(n)) await this.answer(n);
    }
  }

  async boxUp(title) {
    return waitFor(async () => {
      const { box } = await this.state();
      return box && box.title === title && box;
    }, `the box "${title}"`);
  }

  async boxGone() {
    await waitFor(async () => !(await this.state()).box, 'the box to close');
  }
}

module.exports = { expected, phones, launch, waitFor, emulateMedia, wcagViolations, Program };
