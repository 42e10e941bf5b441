// Pictures in the page: a picture box (sunken, the picture at its natural size in its
// top-left corner) and an image (the picture stretched over it), each showing one of the
// site's files; and every picture's file fetched once the first window is painted, so
// that later windows find them in the browser's memory.

var LibraryTervanelPicture = {
  $Picture__deps: ['$Look'],
  $Picture: {
    // Every picture's file, as the program names them at start (services.js).
    files: [],
    fetched: null,

    makeBox: function() { return Look.element('div', 'picture-box'); },
    makeImage: function() { return Look.element('div', 'image'); },

    // The control's picture element, showing the site's file of that name.
    show: function(c, file) {
      var img = c.img;
      if (!img) {
        img = c.img = document.createElement('img');
        img.alt = '';
        img.draggable = false;
        c.el.appendChild(img);
      }
      img.src = file;
      return img;
    },

    // Kept, so that none is dropped before it has arrived.
    fetchAll: function() {
      Picture.fetched = Picture.files.map(function(file) {
        var img = new Image();
        img.src = file;
        return img;
      });
    },
  },

  tervanel_await_picture__deps: ['$Convert', '$Picture', '$Services', '$Windows'],
  // 1 once the picture has arrived, 0 when it is missing or damaged. A picture the page
  // holds already is there at once, and the program goes on without waiting.
  tervanel_await_picture: function(window, control, file, fileLength) {
    var c = Windows.list[window].controls[control], name = Convert.text(file, fileLength);
    return Services.suspend(false, function(resume) {
      var img = Picture.show(c, name);
      if (img.complete) return resume(img.naturalWidth > 0 ? 1 : 0);
      img.onload = function() { resume(1); };
      img.onerror = function() { resume(0); };
    });
  },
};

mergeInto(LibraryManager.library, LibraryTervanelPicture);
