'use strict';
// What a screen reader gets from the page: axe-core finds no violation on any screen of a
// tour, and the tree Chromium hands to screen readers holds the windows, the questions as
// check boxes with their state, the pictures with their descriptions and the buttons. And
// what the page does when the system asks for more contrast, or for its own colours.

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { expected, launch, waitFor, wcagViolations, Program } = require('./browser.cjs');

const axeSource = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');

let env;
before(async () => { env = await launch(); });
after(async () => { await env.close(); });

// axe-core's violations on the page as it stands, every rule on (best practices too).
// The labels' colours are the program's own, the same on every platform (its tables, and
// the verdicts' red on white): where they fall short of the contrast axe asks for, that
// is the only finding allowed, and only on those labels.
async function violations(page) {
  if (!(await page.evaluate(() => typeof axe !== 'undefined'))) await page.evaluate(axeSource);
  const result = await page.evaluate(() => axe.run(document, { resultTypes: ['violations'] }));
  const found = [];
  for (const v of result.violations) {
    const nodes = v.nodes.map((n) => n.target.join(' '));
    const own = v.id === 'color-contrast'
      ? await page.evaluate((targets) => targets.every((t) => {
        const el = document.querySelector(t);
        return el.matches('.client .label') && el.style.color && getComputedStyle(el).color === el.style.color;
      }), nodes)
      : false;
    if (own) contrast.push(...nodes);
    else found.push(`${v.id}: ${nodes.join(', ')}`);
  }
  return found;
}
const contrast = [];

test('axe-core finds no violation on any screen of the tour but the contrast of the program\'s colours', async () => {
  const program = await Program.open(env);
  const page = program.page;
  const screens = [
    ['the introduction', () => program.waitForIntroduction()],
    ['the questionnaire', () => program.dismissWithKey()],
    ['no answer', () => program.click('Command1')],
    ['venous', async () => { await program.answerOnly([1]); await program.click('Command1'); }],
    ['venous and locomotor', async () => { await program.answerOnly([1, 2, 5]); await program.click('Command1'); }],
    ['arterial', async () => { await program.answerOnly([3]); await program.click('Command1'); }],
    ['arterial and locomotor', async () => { await program.answerOnly([2]); await program.click('Command1'); }],
    ['the uncertain box', async () => {
      await program.answerOnly([1, 3]);
      await program.click('Command1');
      await program.boxUp(expected.boxes.uncertain.title);
    }],
    ['a credit box', async () => {
      await page.keyboard.press('Enter');
      await program.boxGone();
      await program.click('Label_eldrano');
      await program.boxUp(expected.boxes.Label_eldrano.title);
    }],
    ['the end', async () => {
      await page.keyboard.press('Enter');
      await program.boxGone();
      await program.click('Command2');
      await waitFor(async () => (await program.state()).ended, 'the end');
    }],
  ];
  const found = {};
  for (const [screen, reach] of screens) {
    await reach();
    await page.evaluate(() => new Promise(requestAnimationFrame));
    const v = await violations(page);
    if (v.length) found[screen] = v;
  }
  assert.deepEqual(found, {});
  console.log(`The program's own colours fall short of axe's contrast on: ${[...new Set(contrast)].join(', ')}`);
  await page.close();
});

// The tree as Chromium hands it to screen readers.
function nodes(tree, match, out = []) {
  if (!tree) return out;
  if (match(tree)) out.push(tree);
  for (const child of tree.children || []) nodes(child, match, out);
  return out;
}

test('screen readers find the windows, the questions as check boxes, the pictures described', async () => {
  const program = await Program.open(env);
  const page = program.page;
  await program.waitForIntroduction();
  const snapshot = () => page.accessibility.snapshot({ interestingOnly: false });
  let tree = await snapshot();
  const dialog = nodes(tree, (n) => n.role === 'dialog');
  assert.deepEqual(dialog.map((d) => d.name), [expected.splash.spokenName]);
  assert.ok(nodes(dialog[0], (n) => n.role === 'image' && n.name.startsWith('Rilievo antico')).length,
    'the picture is described');
  assert.deepEqual(nodes(dialog[0], (n) => n.role === 'button').map((b) => b.name.trim()), ['OK']);
  assert.equal(nodes(tree, (n) => n.role === 'checkbox').length, 0, 'the questionnaire waits');

  await program.dismissWithKey();
  await program.answer(3);
  tree = await snapshot();
  const main = nodes(tree, (n) => n.role === 'main');
  assert.deepEqual(main.map((m) => m.name), [expected.form1.caption]);
  const boxes = nodes(tree, (n) => n.role === 'checkbox');
  // A name's blanks run together, as every accessible name's do.
  assert.deepEqual(boxes.map((b) => b.name), expected.questions.map((q) => q.replace(/ +/g, ' ')),
    'thirteen questions, in order');
  assert.deepEqual(boxes.map((b) => !!b.checked), expected.questions.map((q, i) => i === 2));
  for (const b of boxes) {
    assert.match(b.description || '', /^Rispondi sì \(.+\); Togli la risposta \(.+\)$/,
      `${b.name}: its two actions`);
  }
  assert.deepEqual(nodes(tree, (n) => n.role === 'button').map((b) => b.name), ['Responso', 'Fine']);
  const names = nodes(tree, () => true).map((n) => n.name || '');
  assert.deepEqual(names.filter((n) => n.startsWith('Diagnosi_') || n === 'Incerto'), [],
    'nothing hidden is read');

  // What a question tells when it is answered and taken back, by a right click too.
  for (const [act, words] of [[() => program.click('Label5'), 'spuntata '],
    [() => program.doubleClick('Label5'), 'non spuntata '],
    [() => program.click('Label5'), 'spuntata '],
    [async () => { const { x, y } = await program.centre('Label5'); await page.mouse.click(x, y, { button: 'right' }); },
      'non spuntata ']]) {
    const said = await program.announced(act);
    assert.equal(said.said, words + expected.questions[4]);
  }

  await program.click('Command1');
  await waitFor(async () => (await program.state()).controls.Picture1.visible, 'the verdict');
  tree = await snapshot();
  assert.ok(nodes(tree, (n) => n.name === 'Patologia arteriosa...').length, 'the heading');
  assert.ok(nodes(tree, (n) => (n.name || '').startsWith('Probabilmente è presente')).length,
    'the explanation');
  assert.ok(nodes(tree, (n) => n.role === 'image' && n.name.startsWith('Banner di')).length, 'the banner');
  assert.equal((await program.state()).focus, 'Command1', 'the focus stays on Responso');
  await page.close();
});

// The screens of a use on a desktop's screen, each reached from the one before.
function screensOf(program) {
  const page = program.page;
  const press = (yes) => async () => { await program.answerOnly(yes); await program.click('Command1'); };
  return [
    ['the introduction', () => program.waitForIntroduction()],
    ['the questionnaire', () => program.dismissWithKey()],
    ['no answer', () => program.click('Command1')],
    ['venous and locomotor', press([1, 2, 5])],
    ['arterial', press([3])],
    ['the uncertain box', async () => {
      await press([1, 3])();
      await program.boxUp(expected.boxes.uncertain.title);
    }],
    ['a credit box', async () => {
      await page.keyboard.press('Enter');
      await program.boxGone();
      await program.click('Label_dorvik');
      await program.boxUp(expected.boxes.Label_dorvik.title);
    }],
  ];
}

// With more contrast each designed colour gives way to the palette's (its darker self; a
// window without a ground of its own is white), in the designed layout, and axe-core's
// WCAG 2.2 rules find nothing, contrast included, where the designed colours fall short.
test('with more contrast, the palette\'s colours on every screen, and axe-core finds nothing', async () => {
  const program = await Program.open(env, { media: [{ name: 'prefers-contrast', value: 'more' }] });
  const page = program.page;
  const windows = { frmSplash: expected.splash, Form1: expected.form1 };
  const highlighted = ['Responso', 'Responso_locomotore', 'responso_mix'];
  const found = {};
  for (const [screen, reach] of screensOf(program)) {
    await reach();
    await program.painted();
    const seen = await page.evaluate(() => [...document.querySelectorAll('.window:not([hidden])')].map((w) => ({
      id: w.id,
      ground: getComputedStyle(w.querySelector('.client')).backgroundColor,
      controls: Object.fromEntries([...w.querySelectorAll('.client [id]')].filter((el) => !el.hidden)
        .map((el) => [el.id.slice(w.id.length + 1), [getComputedStyle(el).color, getComputedStyle(el).backgroundColor]])),
    })));
    for (const w of seen) {
      const table = windows[w.id];
      assert.equal(w.ground, table.moreContrastBack, `${screen}: ${w.id}'s ground`);
      const labels = table.controls.filter((c) => c.id in w.controls && ['Label', 'QuestionLabel'].includes(c.kind));
      for (const row of labels) {
        const [fore, back] = w.controls[row.id];
        const want = highlighted.includes(row.id) && w.id === 'Form1'
          ? [expected.highlight.moreContrastFore, expected.highlight.moreContrastBack]
          : [row.moreContrastFore, row.moreContrastBack];
        if (want[0]) assert.equal(fore, want[0], `${screen}: ${row.id}'s text`);
        if (want[1]) assert.equal(back, want[1], `${screen}: ${row.id}'s ground`);
      }
    }
    const v = await wcagViolations(page);
    if (v.length) found[screen] = v;
  }
  assert.deepEqual(found, {});
  assert.deepEqual(program.errors, []);
  await page.close();
});

// With the system's own colours the browser puts them in: every label in the window's text
// and ground colours, answers still bold, push buttons with an edge, and the keyboard's
// focus (a question's ring, a button's) in the selection colour.
test('with the system\'s own colours, answers stay bold and the focus is marked in Highlight', async () => {
  const program = await Program.open(env, { media: [{ name: 'forced-colors', value: 'active' }] });
  const page = program.page;
  await program.waitForIntroduction();
  await program.dismissWithKey();
  await program.answer(2);
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab'); // Responso to question 13
  await page.keyboard.up('Shift');
  await program.painted();
  const seen = await page.evaluate(() => {
    const system = (name) => {
      const probe = document.body.appendChild(document.createElement('div'));
      probe.style.color = name;
      const value = getComputedStyle(probe).color;
      probe.remove();
      return value;
    };
    const style = (id) => getComputedStyle(document.getElementById(`Form1-${id}`));
    const labels = [...document.querySelectorAll('#Form1 .label')].filter((l) => !l.hidden).map((l) => getComputedStyle(l));
    return {
      labels: [...new Set(labels.map((l) => `${l.color} on ${l.backgroundColor}`))],
      answered: [style('Label2').fontWeight, style('Label3').fontWeight],
      buttons: [style('Command1').borderTopStyle, style('Command2').borderTopStyle],
      question: [document.activeElement.id, style('Label13').outlineColor, parseFloat(style('Label13').outlineWidth) >= 2],
      system: { text: system('CanvasText'), ground: system('Canvas'), selection: system('Highlight') },
    };
  });
  const { text, ground, selection } = seen.system;
  assert.deepEqual(seen.labels, [`${text} on ${ground}`], 'every label in the system\'s colours');
  assert.deepEqual(seen.answered, ['700', '400'], 'an answer stays bold');
  assert.deepEqual(seen.buttons, ['solid', 'solid'], 'push buttons keep an edge');
  assert.deepEqual(seen.question, ['Form1-Label13', selection, true], 'the focused question\'s ring');
  await page.focus('#Form1-Command1');
  assert.equal(await page.$eval('#Form1-Command1', (b) => getComputedStyle(b).outlineColor), selection,
    'the focused button\'s mark');
  // axe-core measures contrast with the page's own colours, not the ones forced on it:
  // the labels' colours above are what is shown.
  assert.deepEqual(await wcagViolations(page, ['color-contrast']), []);
  await page.close();
});
