// The page's first script, at the end of the page, after the page's copy of the first
// window, which it shows, then starts the program once that copy is on screen. Nothing
// stops the page from being read before it.
//
// The copy is shown once its face is ready, so that it is never seen without its text,
// and the program (tervanel.js) is fetched and started once that copy is painted, so
// that the program's start does not compete with that paint. Until the program's own
// window has taken the copy's place, the copy does nothing: the keys and clicks that
// come meanwhile are kept here and handed to the program's window (window.js).

// Each window as designed where the screen holds it whole, else in one column: the same
// controls, one under the other in the order screen readers read them, with text and
// targets a finger can use (look.css). The page's copy here, by the size it carries
// (first_window.cjs), so that its first frame lays it out once; the program's windows in
// window.js, measured as designed. The page follows the last window fitted (its
// scrolling, its message boxes).
function tervanelFit(root, designed) {
  if (!designed) {
    root.classList.remove('column');
    designed = { width: root.offsetWidth, height: root.offsetHeight };
  }
  var column = designed.width > innerWidth || designed.height > innerHeight;
  root.classList.toggle('column', column);
  document.documentElement.classList.toggle('column', column);
}

// What only later moments need waits until the first window is painted (the page's
// first contentful paint, which is that window), so that it does not compete with it;
// where the browser does not tell, until the page has loaded and a frame has gone by.
function tervanelAfterFirstPaint(then) {
  var later = function() { setTimeout(then, 0); };
  var types = (typeof PerformanceObserver != 'undefined' && PerformanceObserver.supportedEntryTypes) || [];
  if (types.indexOf('paint') < 0) {
    if (document.readyState == 'complete') requestAnimationFrame(later);
    else addEventListener('load', function() { requestAnimationFrame(later); });
    return;
  }
  var watch = new PerformanceObserver(function(list) {
    if (!list.getEntriesByName('first-contentful-paint').length) return;
    watch.disconnect();
    later();
  });
  watch.observe({ type: 'paint', buffered: true });
}

// The user's keys and clicks, until the program's window has taken the copy's place
// (window.js), with each click the ids of the program's elements it was made on: the
// copy's elements are the program's, their ids prefixed (first_window.cjs). Nothing on
// the copy takes the focus meanwhile.
var tervanelEarly = (function() {
  var kept = [];
  var keep = function(e) {
    var ids = [];
    for (var el = e.target; el && el.id !== 'first-window'; el = el.parentElement)
      if (el.id && el.id.indexOf('first-') === 0) ids.push(el.id.slice('first-'.length));
    kept.push({ event: e, ids: ids });
  };
  var hold = function(e) {
    var copy = document.getElementById('first-window');
    if (copy && copy.contains(e.target)) e.preventDefault();
  };
  addEventListener('keydown', keep, true);
  addEventListener('click', keep, true);
  addEventListener('mousedown', hold, true);
  return {
    // What was kept, in order, and nothing more from now on.
    stop: function() {
      removeEventListener('keydown', keep, true);
      removeEventListener('click', keep, true);
      removeEventListener('mousedown', hold, true);
      return kept;
    },
  };
})();
(function() {
  var start = function() {
    // The whole regular face, for the program's windows: the program waits for it.
    if (document.fonts) document.fonts.load('400 11px "Liberation Sans"');
    var program = document.createElement('script');
    program.src = 'tervanel.js';
    document.head.appendChild(program);
  };
  var fitCopy = function() {
    var copy = document.getElementById('first-window');
    if (copy) tervanelFit(copy, { width: Number(copy.dataset.width), height: Number(copy.dataset.height) });
  };
  // The copy, all there, is fitted to the screen (as designed, or in one column), then
  // shown.
  var isShown = false;
  var shown = function() {
    if (isShown) return;
    isShown = true;
    // Its picture is decoded while it is laid out, rather than when its frame is drawn.
    [].forEach.call(document.querySelectorAll('#first-window img'), function(picture) {
      if (picture.decode) picture.decode().catch(function() {});
    });
    fitCopy();
    addEventListener('resize', fitCopy);
    document.documentElement.classList.add('face-ready');
    tervanelAfterFirstPaint(start);
  };
  if (!document.fonts) return shown();
  var face = '400 11px "Tervanel First"';
  document.fonts.load(face).then(shown, shown);
  // The face is often ready by the first frame, before the promise says so: then the
  // copy is shown in that frame.
  requestAnimationFrame(function() {
    if (document.fonts.check(face)) shown();
  });
})();
