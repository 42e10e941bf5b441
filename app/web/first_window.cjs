'use strict';
// Draws the program's first window without a browser, for the page to show before the
// program has started: runs the program (tervanel.js, its WebAssembly inside it) under
// Node.js over a stand-in for the page's document, until the program has shown its first
// window, and writes that window's elements as HTML, and what the program set on each
// (place, size, colours, font) as a style sheet: the page's policy lets in no style
// attribute. The program's own elements are made by dom.js, so the copy is what the page
// draws, element for element.
//
//     node first_window.cjs EARLY.js PROGRAM.js OUT.html OUT.css
//
// EARLY.js is the page's first script, which the program uses (early.js).
//
// In the copy every id is prefixed with "first-" and the window's is "first-window"; the
// window is inert (it takes no input, and screen readers do not see it: the program's own
// window takes its place), and the control the program focused carries the class
// "focused", which looks as the focus does.

const fs = require('node:fs');
const vm = require('node:vm');

class Element {
  constructor(tag) {
    this.tagName = tag;
    this.children = [];
    this.parentNode = null;
    this.attributes = new Map();
    this.style = {};
    // A picture is there at once: the copy shows it as the page will.
    this.complete = true;
    this.naturalWidth = 1;
    this.offsetWidth = 1;
    this.offsetHeight = 1;
  }

  appendChild(child) {
    if (child.parentNode) child.remove();
    child.parentNode = this;
    this.children.push(child);
    return child;
  }

  remove() {
    if (!this.parentNode) return;
    const siblings = this.parentNode.children;
    siblings.splice(siblings.indexOf(this), 1);
    this.parentNode = null;
  }

  contains(other) {
    for (let at = other; at; at = at.parentNode) if (at === this) return true;
    return false;
  }

  setAttribute(name, value) { this.attributes.set(name, String(value)); }
  removeAttribute(name) { this.attributes.delete(name); }
  getAttribute(name) { return this.attributes.has(name) ? this.attributes.get(name) : null; }
  addEventListener() {}
  focus() { document.activeElement = this; }

  set textContent(text) { this.children = [String(text)]; }
  get textContent() { return this.children.map((c) => (typeof c === 'string' ? c : c.textContent)).join(''); }
  set hidden(on) { if (on) this.attributes.set('hidden', ''); else this.attributes.delete('hidden'); }
  get hidden() { return this.attributes.has('hidden'); }
  set draggable(on) { this.attributes.set('draggable', String(Boolean(on))); }
  set tabIndex(index) { this.attributes.set('tabindex', String(index)); }
}
// Properties that are their attributes.
for (const [property, attribute] of [['id', 'id'], ['className', 'class'], ['type', 'type'],
  ['title', 'title'], ['alt', 'alt'], ['src', 'src']]) {
  Object.defineProperty(Element.prototype, property, {
    get() { return this.attributes.get(attribute) || ''; },
    set(value) { this.attributes.set(attribute, String(value)); },
  });
}

const html = new Element('html');
html.classList = { add() {} };
const head = html.appendChild(new Element('head'));
const body = html.appendChild(new Element('body'));
const desk = body.appendChild(new Element('div'));
desk.id = 'desk';
const document = {
  documentElement: html,
  head,
  body,
  activeElement: body,
  readyState: 'complete',
  title: '',
  createElement: (tag) => new Element(tag),
  getElementById: (id) => (id === 'desk' ? desk : null),
  querySelector: () => null,
  addEventListener() {},
};

// The page's timers, run in turn until the first window is on screen; whatever the
// program leaves for later (the idle tasks, what comes after the first paint) stays
// undone.
const timers = [];
const shown = () => desk.children.find((w) => !w.hidden);
const page = {
  document,
  location: { href: 'http://localhost/' },
  navigator: {},
  innerWidth: 10000,
  innerHeight: 10000,
  console,
  atob,
  TextDecoder,
  performance,
  addEventListener() {},
  removeEventListener() {},
  setTimeout: (then) => timers.push(then),
  clearTimeout() {},
  requestAnimationFrame: (then) => then(performance.now()),
};
page.window = page.self = page;

const [earlyFile, programFile, htmlFile, cssFile] = process.argv.slice(2);
vm.createContext(page);
for (const file of [earlyFile, programFile])
  vm.runInContext(fs.readFileSync(file, 'utf8'), page, { filename: file });
while (!shown() && timers.length) timers.shift()();
const window = shown();
if (!window) {
  console.error('first_window.cjs: the program showed no window');
  process.exit(1);
}

// The copy: the elements, and a rule for each one the program styled.
const escapeText = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;');
const escapeValue = (text) => escapeText(text).replace(/"/g, '&quot;');
const kebab = (name) => name.replace(/[A-Z]/g, (c) => `-${c.toLowerCase()}`);
const rules = [];
function markup(el) {
  const attributes = new Map(el.attributes);
  if (attributes.has('id')) attributes.set('id', `first-${attributes.get('id')}`);
  if (el === document.activeElement)
    attributes.set('class', `${attributes.get('class') || ''} focused`.trim());
  if (el === window) {
    attributes.set('id', 'first-window');
    attributes.set('inert', '');
    attributes.set('aria-hidden', 'true');
  }
  if (attributes.has('tabindex') || el.tagName === 'button') attributes.set('tabindex', '-1');
  const declarations = Object.entries(el.style).filter(([, value]) => value !== '')
    .map(([name, value]) => `${kebab(name)}: ${value};`);
  if (declarations.length) {
    if (!attributes.has('id')) attributes.set('id', `first-${window.id}-${rules.length}`);
    rules.push(`#${attributes.get('id')} { ${declarations.join(' ')} }`);
  }
  const open = [el.tagName, ...[...attributes].map(([name, value]) =>
    (value === '' && name !== 'alt' ? name : `${name}="${escapeValue(value)}"`))].join(' ');
  if (el.tagName === 'img') return `<${open}>`;
  const inside = el.children.map((c) => (typeof c === 'string' ? escapeText(c) : markup(c))).join('');
  return `<${open}>${inside}</${el.tagName}>`;
}
fs.writeFileSync(htmlFile, `${markup(window)}\n`);
fs.writeFileSync(cssFile, `${rules.join('\n')}\n`);
