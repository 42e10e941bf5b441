'use strict';
// Draws the program's first window without a browser, for the page to show before the
// program has started: runs the program (tervanel.js, its WebAssembly inside it) under
// Node.js in a real document (Debian's jsdom, package node-jsdom), until the program has
// shown its first window, and writes that window's elements as HTML, and what the
// program set on each (place, size, colours, font) as a style sheet: the page's policy
// lets in no style attribute. The program's own elements are made by the page's scripts
// (platform/web), so the copy is what the page draws, element for element.
//
//     node first_window.cjs EARLY.js PROGRAM.js LOOK.css OUT.html OUT.css
//
// EARLY.js is the page's first script, which the program uses (early.js); LOOK.css the
// windows' look, from which the window's size as designed is reckoned.
//
// In the copy every id is the program's prefixed with "first-" (a click on the copy is
// handed on to the program's element of that id), and the window's is "first-window";
// nothing in it takes the focus, screen readers do not see it (the program's own window
// takes its place), and the control the program focused carries the class "focused",
// which looks as the focus does. Whether the copy is drawn as designed or in one column
// is the page's choice, as for the program's windows (early.js), by the window's size as
// designed, frame included, which the copy carries (data-width, data-height), so that the
// page need not lay the copy out to know it.

const fs = require('node:fs');
const { TextDecoder } = require('node:util');
const vm = require('node:vm');
const { JSDOM, VirtualConsole } = require('jsdom');

const [earlyFile, programFile, lookFile, htmlFile, cssFile] = process.argv.slice(2);

const failures = [];
const messages = new VirtualConsole();
messages.on('jsdomError', (e) => failures.push(e.stack || String(e)));
messages.on('error', (...words) => failures.push(words.join(' ')));
const dom = new JSDOM('<!doctype html><html lang="it"><head></head><body><div id="desk"></div></body></html>',
  { url: 'http://localhost/', runScripts: 'outside-only', pretendToBeVisual: true, virtualConsole: messages });
const page = dom.window;
const { document } = page;
document.head.appendChild(document.createElement('style')).textContent = fs.readFileSync(lookFile, 'utf8');
// What jsdom leaves out and the program needs: the decoder of its texts. A picture is
// there at once (jsdom decodes none): the copy shows it as the page will.
page.TextDecoder = TextDecoder;
Object.defineProperty(page.HTMLImageElement.prototype, 'complete', { get: () => true });
Object.defineProperty(page.HTMLImageElement.prototype, 'naturalWidth', { get: () => 1 });

const context = dom.getInternalVMContext();
for (const file of [earlyFile, programFile])
  vm.runInContext(fs.readFileSync(file, 'utf8'), context, { filename: file });

// The program shows its first window from its start, in the page's next turns; whatever
// it leaves for later (the idle tasks, what comes after the first paint) is not waited for.
const shown = () => [...document.getElementById('desk').children].find((w) => !w.hidden);
const until = Date.now() + 10000;
(function wait() {
  if (failures.length) {
    process.stderr.write(`first_window.cjs: ${failures.join('\n')}\n`);
    process.exit(1);
  }
  if (!shown()) {
    if (Date.now() > until) {
      process.stderr.write('first_window.cjs: the program showed no window\n');
      process.exit(1);
    }
    setTimeout(wait, 1);
    return;
  }
  write(shown());
  process.exit(0);
})();

// The copy: the window's elements, each style the program set as a rule of its own.
function write(window) {
  const focused = document.activeElement;
  const copy = window.cloneNode(true);
  const originals = [window, ...window.querySelectorAll('*')];
  const rules = [];
  [copy, ...copy.querySelectorAll('*')].forEach((el, i) => {
    if (el.id) el.id = `first-${el.id}`;
    if (originals[i] === focused) el.classList.add('focused');
    if (el.hasAttribute('tabindex') || el.localName === 'button') el.tabIndex = -1;
    if (el.style.length) {
      if (!el.id) el.id = `first-${window.id}-${rules.length}`;
      const declarations = [];
      for (let p = 0; p < el.style.length; ++p) {
        const name = el.style.item(p);
        declarations.push(`${name}: ${el.style.getPropertyValue(name)};`);
      }
      rules.push(`#${el.id} { ${declarations.join(' ')} }`);
      el.removeAttribute('style');
    }
  });
  copy.id = 'first-window';
  copy.setAttribute('aria-hidden', 'true');
  const designed = designedSize(window);
  copy.dataset.width = designed.width;
  copy.dataset.height = designed.height;
  fs.writeFileSync(htmlFile, `${copy.outerHTML}\n`);
  fs.writeFileSync(cssFile, `${rules.join('\n')}\n`);
}

// The window's border box as designed, from the look's rules as the document cascades
// them (jsdom lays nothing out): the client area's size, the window's padding and
// border around it, and the title bar above it where there is one.
function designedSize(window) {
  const px = (el, property) => parseFloat(page.getComputedStyle(el)[property]) || 0;
  const edges = (a, b) => px(window, `padding${a}`) + px(window, `padding${b}`)
    + px(window, `border${a}Width`) + px(window, `border${b}Width`);
  const client = window.querySelector('.client');
  const title = window.querySelector('.title');
  const bar = title ? px(title, 'height') + px(title, 'marginTop') + px(title, 'marginBottom') : 0;
  return { width: px(client, 'width') + edges('Left', 'Right'),
           height: px(client, 'height') + edges('Top', 'Bottom') + bar };
}
