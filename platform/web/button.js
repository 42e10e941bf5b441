// A push button in the page: the page's own button, its text on one line. It is the only
// control a click or a tap gives the focus to (control.js); what a key does on it is the
// program's to say (window.js).

var LibraryTervanelButton = {
  $Button__deps: ['$Look'],
  $Button: {
    make: function(text) {
      var el = Look.element('button', 'button');
      el.type = 'button';
      Button.setText(el, text);
      return el;
    },
    setText: function(el, text) {
      el.textContent = text;
    },
  },
};

mergeInto(LibraryManager.library, LibraryTervanelButton);
