'use strict';
// The web page in Chromium as a person uses it, against the program's own tables and the
// Linux build's expectations (expectations.json): the windows' layout, looks and line
// breaks, the introduction's every way out, answering, the keys, the 18 verdict sheets,
// the modal box holding the page, the beeps, "Fine", and a failure.

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { expected, launch, waitFor, Program } = require('./browser.cjs');

let env;
before(async () => { env = await launch(); });
after(async () => { await env.close(); });

// Every control of a window against its row: place and size in the client area, colours,
// font, alignment and, for labels, where each line of its text starts.
async function checkWindow(program, description) {
  const seen = await program.page.evaluate((id) => {
    const client = document.querySelector(`#${id} .client`).getBoundingClientRect();
    const lineStarts = (el) => {
      const text = el.firstChild;
      if (!text || text.nodeType !== Node.TEXT_NODE) return [];
      const range = document.createRange();
      const starts = [0];
      let top = null;
      for (let i = 0; i < text.length; ++i) {
        range.setStart(text, i);
        range.setEnd(text, i + 1);
        const r = range.getClientRects()[0];
        if (!r || r.height === 0) continue;
        if (top !== null && r.top > top + 1 && starts[starts.length - 1] !== i) starts.push(i);
        top = r.top;
      }
      return starts;
    };
    const controls = {};
    for (const el of document.querySelectorAll(`#${id} .client [id]`)) {
      const r = el.getBoundingClientRect();
      const style = getComputedStyle(el);
      controls[el.id.slice(id.length + 1)] = {
        x: r.x - client.x, y: r.y - client.y, width: r.width, height: r.height,
        visible: el.offsetParent !== null,
        text: el.textContent.replace(/\n/g, '\r'),
        fore: style.color, back: style.backgroundColor,
        fontPx: parseFloat(style.fontSize), lineHeight: parseFloat(style.lineHeight),
        bold: Number(style.fontWeight) >= 700, centred: style.textAlign === 'center',
        starts: lineStarts(el),
      };
    }
    return { width: client.width, height: client.height, controls };
  }, description.id);

  assert.equal(seen.width, description.width, `${description.id}: client width`);
  assert.equal(seen.height, description.height, `${description.id}: client height`);
  const byId = Object.fromEntries(description.controls.map((c) => [c.id, c]));
  for (const row of description.controls) {
    const c = seen.controls[row.id];
    const what = `${description.id}.${row.id}`;
    assert.ok(c, `${what} is on the page`);
    assert.equal(c.visible, row.visibleAfterLoad, `${what}: visible after load`);
    if (!c.visible) continue;
    const parent = row.parent ? byId[row.parent] : { x: 0, y: 0 };
    assert.deepEqual([c.x, c.y, c.width, c.height],
      [parent.x + row.x, parent.y + row.y, row.width, row.height], `${what}: place and size`);
    if (row.fore) assert.equal(c.fore, row.fore, `${what}: text colour`);
    if (row.back) assert.equal(c.back, row.back, `${what}: background`);
    const label = ['Label', 'QuestionLabel'].includes(row.kind);
    if (label || row.kind === 'PushButton') {
      assert.equal(c.fontPx, row.fontPx, `${what}: font size`);
      assert.equal(c.bold, row.bold, `${what}: weight`);
      assert.equal(c.centred, row.centred || row.kind === 'PushButton', `${what}: alignment`);
    }
    if (label) {
      assert.equal(c.text, row.text, `${what}: text`);
      const lines = row.lines.find((l) => l.text === row.text && l.bold === c.bold);
      assert.deepEqual(c.starts, lines.starts, `${what}: lines as on Linux`);
    }
  }
}

test('the introduction comes first, alone and centred, as its table draws it', async () => {
  const program = await Program.open(env);
  await program.waitForIntroduction();
  const page = program.page;
  assert.equal(await page.$eval('html', (h) => h.lang), 'it');
  assert.equal(await page.$eval('#Form1', (f) => f.hidden), true, 'the questionnaire waits');
  const client = await page.$eval('#frmSplash .client', (c) => c.getBoundingClientRect().toJSON());
  assert.ok(Math.abs(client.x - (1024 - 467) / 2) <= 2 && Math.abs(client.y - (768 - 286) / 2) <= 2,
    `centred: ${JSON.stringify(client)}`);
  await checkWindow(program, expected.splash);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'frmSplash-Command1',
    'OK has the focus');
  assert.deepEqual(program.errors, []);
  await page.close();
});

// Until the program has started, the first window on screen is the page's own copy of it:
// the same to the pixel as the program's, which takes its place, and what is typed or
// clicked on it meanwhile reaches the program: a click the program's element of the one
// clicked on the copy, whatever lies there once the program is up. On a phone's screen
// the copy is in one column already, its text as large. The program is held back by
// holding its script's request.
test('the page shows the first window before the program starts, the same to the pixel', async () => {
  const desktop = { width: 1024, height: 768 };
  const phone = { width: 393, height: 851, deviceScaleFactor: 2.75, isMobile: true, hasTouch: true };
  const clickOn = (selector, dx = 0.5, dy = 0.5) => async (program) => {
    const r = await program.page.$eval(selector, (b) => b.getBoundingClientRect().toJSON());
    await program.page.mouse.click(r.x + r.width * dx, r.y + r.height * dy);
  };
  // What the user does on the copy, and whether the introduction leaves for it once the
  // program is up.
  const cases = [
    ['nothing', desktop, null, false],
    ['nothing, on a phone\'s screen (in one column)', phone, null, false],
    // Wider than the window's client area, narrower than its frame.
    ['nothing, on a screen a little too narrow (in one column)', { width: expected.splash.width + 3, height: 768 }, null, false],
    ['key a', desktop, (program) => program.page.keyboard.press('a'), true],
    ['a click on OK', desktop, clickOn('#first-frmSplash-Command1'), true],
    ['a click on the picture', desktop, clickOn('#first-frmSplash-Image1 img'), true],
    ['a tap on OK, on a phone\'s screen', phone, (program) => program.tapOn('#first-frmSplash-Command1'), true],
    ['a click beside the window', desktop, clickOn('#first-window', 0.5, -0.2), false],
  ];
  for (const [what, viewport, act, leaves] of cases) {
    // A profile of its own: no service worker from an earlier visit serves the script.
    const context = await env.browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport(viewport);
    const program = new Program(page);
    let release;
    const held = new Promise((resolve) => { release = resolve; });
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      if (new URL(request.url()).pathname === '/tervanel.js') held.then(() => request.continue());
      else request.continue();
    });
    await page.goto(env.server.url, { waitUntil: 'load' });
    await waitFor(() => page.evaluate(() => document.documentElement.classList.contains('face-ready')),
      `${what}: the copy shown`);
    await program.painted();
    // The window's whole pixels (centred, it may start half-way through one).
    const clip = await page.$eval('#first-window', (w) => {
      const r = w.getBoundingClientRect();
      const x = Math.ceil(r.left), y = Math.ceil(r.top);
      return { x, y, width: Math.floor(r.right) - x, height: Math.floor(r.bottom) - y };
    });
    assert.ok(clip.x >= 0 && clip.x + clip.width <= viewport.width, `${what}: the copy fits`);
    const text = await page.$eval('#first-window', (w) => Math.min(...[...w.querySelectorAll('.label, .button')]
      .map((e) => parseFloat(getComputedStyle(e).fontSize) * e.getBoundingClientRect().width / e.offsetWidth)));
    const column = await page.$eval('#first-window', (w) => w.classList.contains('column'));
    assert.equal(text >= 16, column, `${what}: the copy's text at ${text} px`);
    // The size the copy is fitted by, which the build reckoned without a layout: the
    // program's window, laid out as designed, has it.
    const designed = await page.$eval('#first-window', (w) => [Number(w.dataset.width), Number(w.dataset.height)]);
    const copy = await page.screenshot({ clip });
    // Screen readers meet the introduction once, as the program's: the copy is not theirs.
    const roles = [];
    const walk = (node) => { roles.push(node.role); (node.children || []).forEach(walk); };
    walk(await page.accessibility.snapshot({ interestingOnly: false }));
    assert.ok(!roles.includes('dialog') && !roles.includes('button'), `${what}: ${roles}`);
    if (act) await act(program);
    assert.equal(await page.$('#frmSplash'), null, `${what}: the program waits`);
    assert.equal(await page.evaluate(() => document.activeElement === document.body), true,
      `${what}: nothing on the copy took the focus`);
    release();
    if (leaves) {
      await program.waitForQuestionnaire(what);
    } else {
      await program.waitForIntroduction();
      assert.equal(await page.$('#first-window'), null, `${what}: the copy gone`);
      const window = await page.$eval('#frmSplash', (w) => {
        const column = w.classList.contains('column');
        w.classList.remove('column');
        const size = [w.offsetWidth, w.offsetHeight];
        w.classList.toggle('column', column);
        return { column, size };
      });
      assert.equal(window.column, column, `${what}: the program's window as the copy, in one column or not`);
      assert.deepEqual(window.size, designed, `${what}: the window's size as designed`);
      // Past the turn of the loop in which what was kept is handed on.
      await page.evaluate(() => new Promise((r) => setTimeout(r, 50)));
      await program.painted();
      assert.equal(await page.evaluate(() => document.activeElement.id), 'frmSplash-Command1',
        `${what}: OK has the focus`);
      if (!act) assert.ok(copy.equals(await page.screenshot({ clip })), `${what}: the same pixels`);
    }
    assert.deepEqual(program.errors, [], what);
    await context.close();
  }
});

test('the introduction leaves by a key that makes a character or a click, once', async () => {
  // Keys without a character and " by Dorvik" come first, and must not dismiss it.
  const routes = [
    ['key a', (p) => p.page.keyboard.press('a')],
    ['key 7', (p) => p.page.keyboard.press('7')],
    ['Space', (p) => p.page.keyboard.press('Space')],
    ['Enter on the focused OK', (p) => p.page.keyboard.press('Enter')],
    ['keypad Enter', (p) => p.page.keyboard.press('NumpadEnter')],
    ['Esc', (p) => p.page.keyboard.press('Escape')],
    ['Backspace', (p) => p.page.keyboard.press('Backspace')],
    ['OK', (p) => p.click('frmSplash-Command1')],
    ['the picture', (p) => p.click('frmSplash-Image1')],
    ['the introduction text', (p) => p.click('frmSplash-Label1')],
    ['the credit line', (p) => p.click('frmSplash-Label2')],
    ['the frame', async (p) => {
      const r = await p.page.$eval('#frmSplash-Frame1', (f) => f.getBoundingClientRect().toJSON());
      await p.page.mouse.click(r.x + 100, r.y + 4);
    }],
  ];
  for (const [route, act] of routes) {
    const program = await Program.open(env);
    await program.waitForIntroduction();
    for (const key of ['ArrowLeft', 'F2', 'Shift', 'Control', 'Alt']) await program.page.keyboard.press(key);
    await program.click('frmSplash-Label3');
    await program.page.evaluate(() => new Promise(requestAnimationFrame));
    assert.equal(await program.page.$eval('#frmSplash', (w) => !w.hidden), true,
      `${route}: still there before its route`);
    await act(program);
    await program.waitForQuestionnaire(route);
    const state = await program.state();
    assert.equal(state.focus, 'Command1', `${route}: Responso has the focus`);
    assert.equal(state.tones, 0, `${route}: the key pressed nothing on the questionnaire`);
    assert.equal(state.controls.Responso_locomotore.visible, false, `${route}: no verdict`);
    assert.equal(await program.page.$$eval('.window', (w) => w.length), 1, `${route}: one window`);
    await program.page.close();
  }
});

test('the questionnaire stands at the top-left with its title, as its table draws it', async () => {
  const program = await Program.open(env);
  await program.waitForIntroduction();
  await program.dismissWithKey('x');
  const page = program.page;
  const window = await page.$eval('#Form1', (w) => w.getBoundingClientRect().toJSON());
  assert.deepEqual([window.x, window.y], [0, 0]);
  assert.equal(await page.$eval('#Form1 .title', (t) => t.textContent), expected.form1.caption);
  assert.equal(await page.title(), expected.form1.caption);
  await checkWindow(program, expected.form1);
  await page.close();
});

test('a click answers yes, a double-click takes it back; handlers set, never toggle', async () => {
  const program = await Program.open(env);
  await program.waitForIntroduction();
  await program.dismissWithKey();
  const bold = async (n) => (await program.state()).controls[`Label${n}`].bold;
  const steps = [
    ['click', (n) => program.click(`Label${n}`), true],
    ['click again', (n) => program.click(`Label${n}`), true],
    ['double-click', (n) => program.doubleClick(`Label${n}`), false],
    ['double-click when regular', (n) => program.doubleClick(`Label${n}`), false],
    ['click after', (n) => program.click(`Label${n}`), true],
  ];
  for (const n of [1, 9, 13]) {
    for (const [what, act, after] of steps) {
      await act(n);
      await program.page.evaluate(() => new Promise(requestAnimationFrame));
      assert.equal(await bold(n), after, `question ${n}: ${what}`);
    }
  }
  const others = (await program.state()).controls;
  for (let n = 1; n <= 13; ++n) assert.equal(others[`Label${n}`].bold, [1, 9, 13].includes(n));
  await program.page.close();
});

test('Enter, keypad Enter and Space press the focused button; Tab goes round in tab order', async () => {
  const program = await Program.open(env);
  await program.waitForIntroduction();
  await program.dismissWithKey();
  const page = program.page;
  let tones = 0;
  for (const key of ['Enter', 'NumpadEnter', 'Space']) {
    await page.keyboard.press(key);
    ++tones;
    await waitFor(async () => (await program.state()).tones === tones, `${key} pressed Responso`);
  }
  const focusAfter = async (key) => {
    await page.keyboard.press(key);
    return (await program.state()).focus;
  };
  // The table's tab order: the questions, push buttons and picture box by their index; the
  // banner is hidden after a press without answers, shown after one with answers.
  const tabOrder = expected.form1.controls
    .filter((c) => ['QuestionLabel', 'PushButton', 'PictureBox'].includes(c.kind) && c.tabIndex !== null)
    .sort((a, b) => a.tabIndex - b.tabIndex).map((c) => c.id);
  const withoutBanner = tabOrder.filter((id) => id !== 'Picture1');
  const round = [...withoutBanner.slice(withoutBanner.indexOf('Command1') + 1), ...withoutBanner];
  assert.equal(round.length, 15 + 1, 'thirteen questions and two buttons, round to Responso');
  for (const [i, id] of round.entries()) assert.equal(await focusAfter('Tab'), id, `Tab ${i + 1}`);
  await page.keyboard.down('Shift');
  for (const [i, id] of [...round].reverse().slice(1).entries())
    assert.equal(await focusAfter('Tab'), id, `Shift+Tab ${i + 1}`);
  await page.keyboard.up('Shift');
  await page.focus('#Form1-Command1');
  await program.answer(1);
  await page.keyboard.press('Enter');
  await waitFor(async () => (await program.state()).controls.Picture1.visible, 'the banner');
  assert.equal(await focusAfter('Tab'), 'Picture1');
  assert.equal(await focusAfter('Tab'), 'Command2');
  await page.keyboard.down('Shift');
  assert.equal(await focusAfter('Tab'), 'Picture1');
  await page.keyboard.up('Shift');
  await page.focus('#Form1-Command2');
  await page.keyboard.press('NumpadEnter');
  await waitFor(async () => (await program.state()).ended, 'the end after keypad Enter on Fine');
  assert.equal((await program.state()).tones, 3);
  await page.close();
});

// A question takes the focus from the keyboard alone, and then shows a ring of 2 px at
// least: a click never moves the focus nor marks a question (so the window keeps its
// designed pixels, and Enter still presses the focused button). On a focused question
// Space answers or takes back, once however long it is held, and Enter presses Responso.
test('on a question focused by Tab, Space answers and takes back, Enter presses Responso; a ring only then', async () => {
  const program = await Program.open(env);
  await program.waitForIntroduction();
  await program.dismissWithKey();
  const page = program.page;
  const question = (n) => expected.questions[n - 1];
  const arterial = expected.sheets.find((s) => JSON.stringify(s.yes) === '[3]');
  const look = () => page.evaluate(() => {
    const marked = [...document.querySelectorAll('[role=checkbox]')].filter((q) => q.matches(':focus-visible'));
    const ring = marked.map((q) => getComputedStyle(q)).map((s) => `${s.outlineStyle} ${parseFloat(s.outlineWidth) >= 2}`);
    return { focus: document.activeElement.id.replace('Form1-', ''), marked: marked.map((q) => q.id.replace('Form1-', '')), ring };
  });
  const steps = [
    ['a click on question 3', () => program.answer(3),
      { focus: 'Command1', marked: [], ring: [] }, `spuntata ${question(3)}`],
    ['Enter after it', () => page.keyboard.press('Enter'),
      { focus: 'Command1', marked: [], ring: [] }, arterial.announced.at(-1)],
    ['Shift+Tab to question 13', async () => {
      await page.keyboard.down('Shift');
      await page.keyboard.press('Tab');
      await page.keyboard.up('Shift');
    },
      { focus: 'Label13', marked: ['Label13'], ring: ['solid true'] }, null],
    ['Space', () => page.keyboard.press('Space'),
      { focus: 'Label13', marked: ['Label13'], ring: ['solid true'] }, `spuntata ${question(13)}`],
    ['Space again', () => page.keyboard.press('Space'),
      { focus: 'Label13', marked: ['Label13'], ring: ['solid true'] }, `non spuntata ${question(13)}`],
    ['Enter', () => page.keyboard.press('Enter'),
      { focus: 'Label13', marked: ['Label13'], ring: ['solid true'] }, arterial.announced.at(-1)],
    ['Space held', async () => { await page.keyboard.down('Space'); await page.keyboard.down('Space'); await page.keyboard.up('Space'); },
      { focus: 'Label13', marked: ['Label13'], ring: ['solid true'] }, `spuntata ${question(13)}`],
    ['a click on question 5', () => program.answer(5),
      { focus: 'Label13', marked: ['Label13'], ring: ['solid true'] }, null],
  ];
  for (const [what, act, seen, said] of steps) {
    if (said) assert.equal((await program.announced(act)).said, said, `${what}: the words`);
    else await act();
    await program.painted();
    assert.deepEqual(await look(), seen, what);
  }
  const answers = (await program.state()).controls;
  assert.deepEqual(expected.questions.map((q, i) => answers[`Label${i + 1}`].bold),
    expected.questions.map((q, i) => [3, 5, 13].includes(i + 1)), 'the answers');
  assert.equal((await program.state()).tones, 0);
  assert.deepEqual(program.errors, []);
  await page.close();
});

test('the 18 verdict sheets show what their steps call for, beeps and boxes counted', async () => {
  const program = await Program.open(env);
  await program.waitForIntroduction();
  await program.dismissWithKey();
  for (const sheet of expected.sheets) {
    const what = `answers ${JSON.stringify(sheet.yes)}`;
    await program.answerOnly(sheet.yes);
    const tones = (await program.state()).tones;
    const said = await program.announced(() => program.click('Command1'));
    assert.equal(said.said, sheet.announced.at(-1), `${what}: the words for screen readers`);
    assert.equal(said.saidInBox, sheet.boxes > 0, `${what}: said inside the box, if any`);
    if (sheet.boxes) {
      const box = await program.boxUp(expected.boxes.uncertain.title);
      assert.equal(box.prompt, expected.boxes.uncertain.prompt, what);
    }
    // The window behind the box is final; without a box, the press has run whole once
    // the page has handled the click.
    await program.page.evaluate(() => new Promise(requestAnimationFrame));
    const state = await program.state();
    for (const [id, visible] of Object.entries(sheet.visible))
      assert.equal(state.controls[id].visible, visible, `${what}: ${id} visible`);
    for (const [id, caption] of Object.entries(sheet.captions)) {
      if (state.controls[id].visible) assert.equal(state.controls[id].text, caption, `${what}: ${id}`);
    }
    for (const id of ['Responso', 'Responso_locomotore', 'responso_mix']) {
      const c = state.controls[id];
      if (c.visible) {
        assert.deepEqual([c.bold, c.fore, c.back], [true, 'rgb(255, 0, 0)', 'rgb(255, 255, 255)'],
          `${what}: ${id} highlighted`);
      }
    }
    assert.equal(state.tones - tones, sheet.beeps, `${what}: beeps`);
    if (sheet.boxes) {
      await program.page.keyboard.press('Enter');
      await program.boxGone();
    }
    assert.equal((await program.state()).box, null, `${what}: no box left`);
  }
  assert.deepEqual(program.errors, []);
  await program.page.close();
});

test('a message box holds the page until it is closed; the handler goes on after', async () => {
  const program = await Program.open(env);
  await program.waitForIntroduction();
  await program.dismissWithKey();
  const page = program.page;
  for (const [label, close] of [['Label_dorvik', 'Enter'], ['Label_eldrano', 'Escape']]) {
    const before = await program.state();
    await program.click(label);
    const box = await program.boxUp(expected.boxes[label].title);
    assert.equal(box.prompt, expected.boxes[label].prompt);
    assert.equal((await program.state()).focus, '', 'the box holds the keyboard');
    // Clicks on the questionnaire and keys reach nothing behind the box.
    await program.click('Label5');
    await program.click('Command1');
    await program.click('Command2');
    for (const key of ['a', 'Tab', '7']) await page.keyboard.press(key);
    await page.evaluate(() => new Promise(requestAnimationFrame));
    const during = await program.state();
    assert.ok(during.box, `${label}: the box is still up`);
    assert.deepEqual(during.controls, before.controls, `${label}: nothing changed behind it`);
    await page.keyboard.press(close);
    await program.boxGone();
    assert.equal((await program.state()).focus, 'Command1', `${label}: the focus is back`);
  }
  // The uncertain box is the press's last step: the press ends when it closes.
  await program.answerOnly([1, 3]);
  await program.click('Command1');
  await program.boxUp(expected.boxes.uncertain.title);
  await program.click('Command2');
  assert.equal((await program.state()).ended, false, 'Fine is held while the box is up');
  await page.click('dialog .button');
  await program.boxGone();
  await program.click('Command2');
  await waitFor(async () => (await program.state()).ended, 'Fine after the box');
  await page.close();
});

test('"Fine" takes the windows off the page and says so; a reload starts again', async () => {
  const program = await Program.open(env);
  await program.waitForIntroduction();
  await program.dismissWithKey();
  await program.answer(2);
  await program.click('Command2');
  const line = await waitFor(async () => (await program.state()).ended, 'the end');
  assert.match(line, /^Il test è finito/);
  assert.equal(await program.page.$$eval('.window', (w) => w.length), 0, 'no window is left');
  await program.page.keyboard.press('a');
  await program.page.mouse.click(100, 100);
  assert.equal(await program.page.$$eval('.window', (w) => w.length), 0, 'nothing comes back');
  await program.page.reload({ waitUntil: 'load' });
  await program.waitForIntroduction();
  assert.deepEqual(program.errors, []);
  await program.page.close();
});

test('a site without its picture reports it in a box and ends', async () => {
  const context = await env.browser.createBrowserContext();
  env.server.leaveOut.add('/portrait.jpg');
  try {
    const page = await context.newPage();
    await page.evaluateOnNewDocument(() => { window.__tones = 0; });
    const program = new Program(page);
    await page.goto(env.server.url, { waitUntil: 'load' });
    const box = await program.boxUp('Tervanel');
    assert.match(box.prompt, /^Errore di esecuzione:\r.*portrait\.jpg/);
    assert.equal(await page.$$eval('.window:not([hidden])', (w) => w.length), 0, 'only the box');
    await page.keyboard.press('Enter');
    const line = await waitFor(async () => (await program.state()).ended, 'the end');
    assert.match(line, /errore/);
  } finally {
    env.server.leaveOut.clear();
    await context.close();
  }
});
