// The windows' look in the page: each element with its class from look.css, and the
// dialog face at the sizes the program gives (the colours are colors.js's).

var LibraryTervanelLook = {
  $Look: {
    element: function(tag, cls, parent) {
      var el = document.createElement(tag);
      if (cls) el.className = cls;
      if (parent) parent.appendChild(el);
      return el;
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
