// Before the program starts: once the page has loaded, a service worker keeps the site
// for use without a network (sw.js).
if ('serviceWorker' in navigator) {
  addEventListener('load', function() { navigator.serviceWorker.register('sw.js'); });
}
