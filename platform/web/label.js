// A label in the page: a box of fixed size whose text starts at its top-left (or centred),
// wraps at word boundaries, each CR a new line, and is cut at its height (look.css). A
// question is a label too; what screen readers make of it is accessibility.js's.

var LibraryTervanelLabel = {
  $Label__deps: ['$Convert', '$Look'],
  $Label: {
    make: function(text) {
      var el = Look.element('div', 'label');
      Label.setText(el, text);
      return el;
    },
    setText: function(el, text) {
      el.textContent = Convert.lines(text);
    },
  },
};

mergeInto(LibraryManager.library, LibraryTervanelLabel);
