// The colours the windows are shown in: their own, as the program sets them, each with
// the colour shown in its place with more contrast (services/palette.hpp), which the
// page shows where the system asks for more contrast and in one column (look.css
// chooses, by the custom properties set here).

var LibraryTervanelColors = {
  $Colors__deps: ['$Convert'],
  $Colors: {
    // A control's text ('fore') or ground ('back'); nothing where the colour is -1.
    paint: function(el, property, color, moreContrast) {
      if (color < 0) return;
      el.style[property === 'fore' ? 'color' : 'backgroundColor'] = Convert.color(color);
      el.style.setProperty('--more-contrast-' + property, Convert.color(moreContrast));
    },
    // A window's ground, and its ground with more contrast, where it has none of its own
    // too.
    ground: function(el, color, moreContrast) {
      if (color >= 0) el.style.backgroundColor = Convert.color(color);
      if (moreContrast >= 0) el.style.setProperty('--more-contrast-ground', Convert.color(moreContrast));
    },
  },
};

mergeInto(LibraryManager.library, LibraryTervanelColors);
