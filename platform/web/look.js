// The windows' look in the page: each element with its class from look.css, the colours
// the program sets (and their more-contrast replacements, which look.css chooses), and
// the dialog face at the sizes the program gives.

var LibraryTervanelLook = {
  $Look__deps: ['$Convert'],
  $Look: {
    element: function(tag, cls, parent) {
      var el = document.createElement(tag);
      if (cls) el.className = cls;
      if (parent) parent.appendChild(el);
      return el;
    },
    // A colour as designed, and the one shown in its place with more contrast and in one
    // column; none where the colour is -1.
    paint: function(el, property, color, moreContrast) {
      if (color < 0) return;
      el.style[property === 'fore' ? 'color' : 'backgroundColor'] = Convert.color(color);
      el.style.setProperty('--more-contrast-' + property, Convert.color(moreContrast));
    },
    // The dialog face at a size and with a distance between its lines, in pixels, as the
    // program computes them on every platform (services/fonts.hpp).
    font: function(el, pixels, linePitch, bold) {
      el.style.fontSize = pixels + 'px';
      el.style.lineHeight = linePitch + 'px';
      Look.bold(el, bold);
    },
    bold: function(el, bold) {
      el.style.fontWeight = bold ? '700' : '400';
    },
    // The bold face, which the first window does not use, once that window is painted.
    fetchBoldFace: function() {
      document.fonts.load('700 11px "Liberation Sans"');
    },
  },
};

mergeInto(LibraryManager.library, LibraryTervanelLook);
