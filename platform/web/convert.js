// What crosses from the program into the page, in the page's terms (page.hpp): texts
// (UTF-8 bytes with their length), a label's line breaks, and colours (0x00BBGGRR).

var LibraryTervanelConvert = {
  $Convert: {
    text: function(ptr, length) { return length ? UTF8ToString(ptr, length) : ''; },
    // Lone CRs are line breaks.
    lines: function(text) { return text.replace(/\r/g, '\n'); },
    color: function(c) {
      return 'rgb(' + (c & 255) + ',' + ((c >> 8) & 255) + ',' + ((c >> 16) & 255) + ')';
    },
  },
};

mergeInto(LibraryManager.library, LibraryTervanelConvert);
