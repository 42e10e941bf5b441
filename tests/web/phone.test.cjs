'use strict';
// The page on a phone, 320 and 390 CSS px wide, used by taps alone from the introduction
// to "Fine": every window in one column, in the page's order (the order screen readers
// read it in), and on every screen, boxes included, text of 16 CSS px at least as it is
// rendered, targets of 44 x 44 at least, no sideways scrolling, no text cut, and nothing
// that axe-core's WCAG 2.2 A and AA rules find, contrast included. It also takes the
// README's pictures of a phone.

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { expected, phones, launch, waitFor, wcagViolations, Program } = require('./browser.cjs');

let env;
before(async () => { env = await launch(); });
after(async () => { await env.close(); });

// What a person meets on the screen as it stands: each text's size as rendered (its
// computed size times any scaling on the way), the size of each label and button, what
// is cut, the windows' controls with their edges, and how far the page scrolls sideways.
function measure(page) {
  return page.evaluate(() => {
    const shown = (el) => el.getClientRects().length > 0 && getComputedStyle(el).visibility === 'visible'
      && !el.closest('.live');
    const name = (el) => el.id || `${el.localName}.${el.className}`;
    const texts = [];
    const walk = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (let t = walk.nextNode(); t; t = walk.nextNode()) {
      const el = t.parentElement;
      if (!t.data.trim() || !shown(el)) continue;
      const scale = el.offsetWidth ? el.getBoundingClientRect().width / el.offsetWidth : 1;
      texts.push({ name: name(el), size: parseFloat(getComputedStyle(el).fontSize) * scale });
    }
    const all = (selector) => [...document.querySelectorAll(selector)].filter(shown);
    const box = (el) => {
      const r = el.getBoundingClientRect();
      return { name: name(el), left: r.left, top: r.top, right: r.right, bottom: r.bottom,
        width: r.width, height: r.height, image: el.matches('.image') };
    };
    return {
      texts,
      targets: all('.label, .button').map(box),
      cut: all('.label, .button, .title, .prompt')
        .filter((el) => el.scrollHeight > el.clientHeight || el.scrollWidth > el.clientWidth).map(name),
      controls: all('.window :is(.label, .button, .picture-box, .image)').map(box),
      sideways: document.scrollingElement.scrollWidth - innerWidth,
      width: innerWidth,
    };
  });
}

// Each screen's smallest text and smallest target, printed for the record.
const figures = {};

async function checkScreen(program, phone, screen) {
  await program.painted();
  const seen = await measure(program.page);
  const what = `${phone} px, ${screen}`;
  const smallest = seen.texts.reduce((a, b) => (b.size < a.size ? b : a));
  assert.ok(smallest.size >= 16, `${what}: ${smallest.name}'s text at ${smallest.size} px`);
  for (const t of seen.targets)
    assert.ok(t.width >= 44 && t.height >= 44, `${what}: ${t.name} is ${t.width} x ${t.height}`);
  assert.deepEqual(seen.cut, [], `${what}: text cut`);
  assert.ok(seen.sideways <= 0, `${what}: ${seen.sideways} px of sideways scrolling`);
  // One column: each control under the one before it in the page, all as wide as the
  // column (the picture centred in it), the column nearly as wide as the screen.
  const column = seen.controls.filter((c) => !c.image);
  for (let i = 1; i < seen.controls.length; ++i) {
    const [a, b] = [seen.controls[i - 1], seen.controls[i]];
    assert.ok(b.top >= a.bottom - 0.5, `${what}: ${b.name} under ${a.name}`);
  }
  for (const c of column) {
    assert.ok(Math.abs(c.left - column[0].left) < 0.5 && Math.abs(c.right - column[0].right) < 0.5,
      `${what}: ${c.name} as wide as the column`);
  }
  if (column.length) assert.ok(column[0].right - column[0].left >= 0.8 * seen.width, `${what}: the column's width`);
  assert.deepEqual(await wcagViolations(program.page), [], `${what}: axe-core, WCAG 2.2 A and AA`);
  const least = seen.targets.length ? seen.targets.reduce((a, b) => (b.height * b.width < a.height * a.width ? b : a)) : null;
  figures[what] = `text ${smallest.size} px (${smallest.name})`
    + (least ? `, target ${least.width.toFixed(0)} x ${least.height.toFixed(0)} (${least.name})` : '');
}

// Nothing but a push button ever has the focus after a tap, and no question shows a mark.
async function checkNoQuestionFocused(program, what) {
  const focus = await program.page.evaluate(() => ({
    focused: document.activeElement.matches('[role=checkbox]'),
    marked: [...document.querySelectorAll('[role=checkbox]')].filter((q) => q.matches(':focus-visible')).length,
  }));
  assert.deepEqual(focus, { focused: false, marked: 0 }, `${what}: no question has the focus`);
}

async function picture(program, name) {
  const folder = process.env.TERVANEL_SCREENSHOTS;
  if (!folder) return;
  fs.mkdirSync(folder, { recursive: true });
  // What is in sight, at twice the screen's CSS pixels (the screen left as it is).
  const { width, height } = program.page.viewport();
  const cdp = await program.page.createCDPSession();
  const at = await program.page.evaluate(() => ({ x: scrollX, y: scrollY }));
  const { data } = await cdp.send('Page.captureScreenshot', { format: 'png', captureBeyondViewport: false,
    clip: { ...at, width, height, scale: 2 } });
  fs.writeFileSync(path.join(folder, name), Buffer.from(data, 'base64'));
  await cdp.detach();
}

for (const phone of [320, 390]) {
  test(`on a ${phone} px phone, a whole use by taps, every screen in one column that a finger and eye can use`, async () => {
    const program = await Program.open(env, { phone });
    const page = program.page;
    const bold = async (n) => (await program.state()).controls[`Label${n}`].bold;
    const sheet = (yes) => expected.sheets.find((s) => JSON.stringify(s.yes) === JSON.stringify(yes));

    await program.waitForIntroduction();
    await checkScreen(program, phone, 'the introduction');
    if (phone === 390) await picture(program, 'phone-introduction.png');
    await program.tap('frmSplash-Label1');
    await program.waitForQuestionnaire();
    assert.equal(await page.evaluate(() => scrollY), 0, 'the questionnaire seen from its top');

    // A tap answers; a second tap later leaves the answer; a double tap takes it back.
    for (const n of [1, 2, 5]) {
      await program.tap(`Label${n}`);
      await waitFor(() => bold(n), `a tap answers question ${n}`);
    }
    await new Promise((r) => setTimeout(r, 500));
    await program.tap('Label5');
    await new Promise((r) => setTimeout(r, 500));
    assert.equal(await bold(5), true, 'a second tap later leaves the answer');
    await program.doubleTap('Label5');
    await waitFor(async () => !(await bold(5)), 'a double tap takes it back');
    await program.tap('Label5');
    await waitFor(() => bold(5), 'a tap answers again');
    await checkNoQuestionFocused(program, 'after taps on questions');
    await checkScreen(program, phone, 'the questionnaire');

    // "Responso": the verdict comes into sight, and screen readers are told it.
    const venousAndLocomotor = sheet([1, 2, 5]);
    const said = await program.announced(() => program.tap('Command1'));
    assert.equal(said.said, venousAndLocomotor.announced.at(-1), 'the verdict told');
    for (const [id, visible] of Object.entries(venousAndLocomotor.visible))
      assert.equal(said.controls[id].visible, visible, `${id} visible`);
    // The verdict's first control in the page's order, the first that the press shows.
    const first = await page.evaluate((ids) => {
      const el = [...document.querySelectorAll('#Form1 .client > *')]
        .find((c) => ids.includes(c.id.replace('Form1-', '')));
      const r = el.getBoundingClientRect();
      return { id: el.id, top: r.top, bottom: r.bottom, screen: innerHeight };
    }, Object.keys(venousAndLocomotor.visible).filter((id) => venousAndLocomotor.visible[id]));
    assert.ok(first.top >= 0 && first.bottom <= first.screen, `the verdict in sight: ${JSON.stringify(first)}`);
    await checkScreen(program, phone, 'a verdict');
    if (phone === 390) await picture(program, 'phone-verdict.png');

    // A credit's box and the uncertain verdict's box, each closed by a tap on its OK.
    await program.tap('Label_eldrano');
    await program.boxUp(expected.boxes.Label_eldrano.title);
    await checkScreen(program, phone, 'a credit box');
    await program.tapOn('dialog .button');
    await program.boxGone();
    await program.doubleTap('Label2');
    await waitFor(async () => !(await bold(2)), 'a double tap takes question 2 back');
    await program.doubleTap('Label5');
    await waitFor(async () => !(await bold(5)), 'a double tap takes question 5 back');
    await program.tap('Label3');
    await waitFor(() => bold(3), 'a tap answers question 3');
    await program.tap('Command1');
    await program.boxUp(expected.boxes.uncertain.title);
    await checkScreen(program, phone, 'the uncertain box');
    await program.tapOn('dialog .button');
    await program.boxGone();
    await checkNoQuestionFocused(program, 'after the whole use');

    await program.tap('Command2');
    await waitFor(async () => (await program.state()).ended, 'the end');
    assert.equal((await program.state()).tones, venousAndLocomotor.beeps + sheet([1, 3]).beeps, 'the beeps');
    assert.deepEqual(program.errors, []);
    await page.close();
    for (const [screen, figure] of Object.entries(figures)) if (screen.startsWith(`${phone} `)) console.log(`${screen}: ${figure}`);
  });
}
