'use strict';
// Where the program and the page meet (platform/web/page.hpp), held to both sides without
// a browser, so that a change made on one side alone fails here and says where:
// - the program's enums, which the page knows by name only (names.hpp hands them over at
//   start): every name the page's scripts use is one the program gives, and every
//   enumerator the program gives is handled by the page;
// - the program's functions that the page calls: each exported by the program, and named
//   among the page's dependencies, so that the link fails where one goes missing;
// - the page's functions that the program calls: the same names, each taking the
//   arguments page.hpp declares, and those the program waits for named as the build
//   lists them for Asyncify;
// - the parts of the page's scripts: each names the others it uses among its
//   dependencies, since the link keeps only what is named so.
// The program's side comes from its sources and from the enums as the program hands them
// over (expectations.json, written by the program's own code).

const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

const web = path.join(__dirname, '..', '..', 'platform', 'web');
const enums = JSON.parse(fs.readFileSync(process.env.TERVANEL_EXPECTATIONS, 'utf8')).enums;

const read = (file) => fs.readFileSync(path.join(web, file), 'utf8');
const scripts = Object.fromEntries(fs.readdirSync(web).filter((f) => f.endsWith('.js')).sort()
  .map((f) => [f, read(f)]));
// Their code, without the comments, which name things too.
const code = Object.fromEntries(Object.entries(scripts)
  .map(([f, text]) => [f, text.replace(/(^|\s)\/\/.*$/gm, '$1')]));
const cpp = Object.fromEntries(fs.readdirSync(web).filter((f) => /\.(cpp|hpp)$/.test(f))
  .map((f) => [f, read(f)]));

// The page's scripts as emscripten links them: each merges its part into one library.
function library() {
  const merged = {};
  const context = vm.createContext({ mergeInto: (into, part) => Object.assign(into, part),
                                     LibraryManager: { library: merged } });
  for (const [file, text] of Object.entries(scripts)) vm.runInContext(text, context, { filename: file });
  return merged;
}

// Every match of a pattern in the page's code, with its file.
function found(pattern) {
  const all = [];
  for (const [file, text] of Object.entries(code))
    for (const m of text.matchAll(pattern)) all.push({ file, m });
  return all;
}

// What page.hpp declares: the page's functions, then the program's, each with the number
// of its parameters.
function declared() {
  const header = cpp['page.hpp'];
  const programs = header.indexOf('// The page calls these in the program');
  assert.ok(programs > 0, 'page.hpp declares the program\'s functions apart');
  const functions = (text) => Object.fromEntries([...text.matchAll(/\b(tervanel_\w+)\(([^)]*)\);/g)]
    .map(([, name, parameters]) => [name, parameters.trim() === '' ? 0 : parameters.split(',').length]));
  return { page: functions(header.slice(0, programs)), program: functions(header.slice(programs)) };
}

test('the program hands over every enum the page needs, each with some enumerators', () => {
  assert.deepEqual(Object.keys(enums).sort(),
    ['ControlKind', 'Gesture', 'Key', 'KeyEffect', 'MessageStyle', 'Role']);
  for (const [name, values] of Object.entries(enums)) {
    assert.ok(Object.keys(values).length > 0, name);
    assert.equal(new Set(Object.values(values)).size, Object.keys(values).length, `${name}: one number each`);
  }
});

test('the page names the program\'s enums as the program does, and handles every enumerator', () => {
  const uses = found(/\bEnums\.(\w+)\.(\w+)/g);
  const unknown = uses.filter(({ m }) => !(m[1] in enums) || !(m[2] in enums[m[1]]))
    .map(({ file, m }) => `${file}: ${m[0]}`);
  assert.deepEqual(unknown, [], 'names the program does not give');
  // Read only as Enums.Type.Name, so that the uses above are all the uses; filled once,
  // at start.
  const aside = found(/(?<![$\w])Enums\b(?!\.\w+\.\w)/g)
    .map(({ file, m }) => `${file}: ${m.input.slice(m.index).split('\n')[0]}`);
  assert.deepEqual(aside, ["services.js: Enums, start['enums']);"], 'Enums read otherwise than by Enums.Type.Name');
  const named = new Set(uses.map(({ m }) => `${m[1]}.${m[2]}`));
  for (const [name, values] of Object.entries(enums)) {
    const missing = Object.keys(values).filter((v) => !named.has(`${name}.${v}`));
    assert.deepEqual(missing, [], `${name}: enumerators the page does not handle`);
  }
});

test('the page calls only what the program exports, each named among its dependencies', () => {
  const exported = new Set();
  for (const text of Object.values(cpp))
    for (const [, name] of text.matchAll(/EMSCRIPTEN_KEEPALIVE\s+\w+\s+(tervanel_\w+)\(/g)) exported.add(name);
  const lib = library();
  const dependencies = new Set(Object.entries(lib).filter(([key]) => key.endsWith('__deps'))
    .flatMap(([, deps]) => deps).filter((d) => !d.startsWith('$')));
  const called = new Set(found(/\b_(tervanel_\w+)\(/g).map(({ m }) => m[1]));
  assert.ok(called.size > 0);
  const sorted = (set) => [...set].sort();
  assert.deepEqual(sorted(called), sorted(dependencies), 'called, and named among the dependencies');
  assert.deepEqual(sorted(dependencies), sorted(exported), 'named by the page, and exported by the program');
  assert.deepEqual(sorted(exported), Object.keys(declared().program).sort(), 'as page.hpp declares them');
});

test('the page defines each function the program calls, with the arguments page.hpp declares', () => {
  const lib = library();
  const defined = Object.fromEntries(Object.entries(lib)
    .filter(([key, value]) => key.startsWith('tervanel_') && typeof value === 'function')
    .map(([key, value]) => [key, value.length]));
  const byName = (o) => Object.entries(o).sort().map(([name, count]) => `${name}: ${count} arguments`);
  assert.deepEqual(byName(defined), byName(declared().page));
});

test('the page\'s functions the program waits for are those the build lists for Asyncify', () => {
  const option = fs.readFileSync(path.join(web, 'CMakeLists.txt'), 'utf8').match(/-sASYNCIFY_IMPORTS=([\w*]+)/);
  assert.ok(option, 'the build lists them');
  const pattern = new RegExp(`^${option[1].replace('*', '\\w*')}$`);
  const lib = library();
  const functions = Object.entries(lib).filter(([key, value]) => key.startsWith('tervanel_') && typeof value === 'function');
  const waiting = functions.filter(([, f]) => /Services\.suspend\(|Asyncify\.handle/.test(f.toString())).map(([key]) => key);
  const listed = functions.map(([key]) => key).filter((key) => pattern.test(key));
  assert.ok(waiting.length > 0);
  assert.deepEqual(waiting.sort(), listed.sort());
});

test('each part of the page\'s scripts names the parts it uses among its dependencies', () => {
  const lib = library();
  const parts = Object.keys(lib).filter((key) => key.startsWith('$') && !key.includes('__')).map((key) => key.slice(1));
  const source = (value) => (typeof value === 'function' ? value.toString()
    : Object.values(value).map((v) => (typeof v === 'function' ? v.toString() : JSON.stringify(v))).join('\n'));
  const wrong = [];
  for (const [key, value] of Object.entries(lib)) {
    if (key.includes('__')) continue;
    const own = key.startsWith('$') ? key.slice(1) : null;
    const code = source(value).replace(/(^|\s)\/\/.*$/gm, '$1');
    const used = parts.filter((part) => part !== own && new RegExp(`\\b${part}\\b`).test(code));
    const named = (lib[`${key}__deps`] || []).filter((d) => d.startsWith('$')).map((d) => d.slice(1));
    for (const part of used.filter((p) => !named.includes(p))) wrong.push(`${key} uses ${part} unnamed`);
    for (const part of named.filter((p) => !used.includes(p))) wrong.push(`${key} names ${part} unused`);
  }
  assert.ok(parts.length >= 9, parts.join(', '));
  assert.deepEqual(wrong, []);
});
