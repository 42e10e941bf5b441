// Given to emscripten's loader through its documented Module hooks alone; the program's
// WebAssembly comes as Module.wasmBinary, before this (program_script.py).

// What only later moments need waits until the first window is painted (early.js).
Module['afterFirstPaint'] = tervanelAfterFirstPaint;

// The page shows its own copy of the first window (drawn at build time by
// first_window.cjs), and fetches the program once that copy is painted (early.js); the
// program starts once the regular face has arrived too, so that its own first window,
// which takes the copy's place, is never seen without its text.
Module['preRun'] = [function() {
  if (typeof document.fonts == 'undefined') return;
  addRunDependency('regular-face');
  var arrived = function() { removeRunDependency('regular-face'); };
  document.fonts.load('400 11px "Liberation Sans"').then(arrived, arrived);
}];

// Before the program starts: a service worker keeps the site for use without a network
// (sw.js), registered once the page has loaded and its first window is painted.
// The program itself comes after the page's load, as a rule (early.js).
if ('serviceWorker' in navigator) {
  var registerWorker = function() {
    Module['afterFirstPaint'](function() { navigator.serviceWorker.register('sw.js'); });
  };
  if (document.readyState == 'complete') registerWorker();
  else addEventListener('load', registerWorker);
}
