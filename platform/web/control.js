// What every control of a window has in the page: an element of its kind (label.js,
// button.js, picture.js, or a frame) at its place and size, in its colours and font, and
// the user's gestures on it (clicks, double-clicks, taps, right clicks) reported to the
// program, which decides what they mean (services/gestures.hpp).

var LibraryTervanelControl = {
  $Controls__deps: ['$Button', '$Enums', '$Label', '$Look', '$Picture', '$Services',
                    'tervanel_web_gesture', 'tervanel_web_gesture_delivers'],
  $Controls: {
    taps: null,

    make: function(kind, text) {
      switch (kind) {
      case Enums.ControlKind.Label:
      case Enums.ControlKind.QuestionLabel:
        return Label.make(text);
      case Enums.ControlKind.PushButton:
        return Button.make(text);
      case Enums.ControlKind.PictureBox:
        return Picture.makeBox();
      case Enums.ControlKind.Image:
        return Picture.makeImage();
      case Enums.ControlKind.Frame:
        return Look.element('div', 'frame');
      }
    },
    setText: function(c, text) {
      if (c.kind === Enums.ControlKind.PushButton) Button.setText(c.el, text);
      else Label.setText(c.el, text);
    },

    gesture: function(w, row, gesture) {
      Services.deliver(w, function() { _tervanel_web_gesture(w.program, row, gesture); });
    },
    click: function(w, row) { Controls.gesture(w, row, Enums.Gesture.Click); },

    // Mouse: the second press of a double-click is the double-click itself (a third
    // press is a click again). Touch: a second tap on the same control soon after the
    // first is a double tap.
    pressOf: function(e, c) {
      if (e.pointerType !== 'touch')
        return e.detail > 0 && e.detail % 2 === 0 ? Enums.Gesture.DoubleClick : Enums.Gesture.Click;
      var now = e.timeStamp, last = Controls.taps;
      Controls.taps = { control: c, at: now };
      if (last && last.control === c && now - last.at < 400) {
        Controls.taps = null;
        return Enums.Gesture.DoubleClick;
      }
      return Enums.Gesture.Click;
    },

    listen: function(w, c) {
      var el = c.el;
      el.addEventListener('click', function(e) {
        e.stopPropagation(); // a click on a control never reaches what lies beneath
        Controls.gesture(w, c.row, Controls.pressOf(e, c));
      });
      el.addEventListener('contextmenu', function(e) {
        if (!_tervanel_web_gesture_delivers(w.program, c.row, Enums.Gesture.RightClick)) return;
        e.preventDefault();
        e.stopPropagation();
        Controls.gesture(w, c.row, Enums.Gesture.RightClick);
      });
      // Only push buttons take the focus from a click or a tap: a question takes it
      // from the keyboard alone, and nothing else takes it at all.
      if (c.kind !== Enums.ControlKind.PushButton)
        el.addEventListener('mousedown', function(e) { e.preventDefault(); });
    },
  },

  tervanel_control_add__deps: ['$Colors', '$Controls', '$Convert', '$Look', '$Windows'],
  tervanel_control_add: function(window, id, idLength, kind, text, textLength, x, y, width,
                                 height, back, fore, moreContrastBack, moreContrastFore,
                                 fontPixels, linePitch, bold, centred, parent) {
    var w = Windows.list[window];
    var c = { row: w.controls.length, kind: kind, parent: parent };
    var el = c.el = Controls.make(kind, Convert.text(text, textLength));
    // Control names repeat from window to window: the page's ids carry the window's.
    el.id = w.root.id + '-' + Convert.text(id, idLength);
    el.style.left = x + 'px';
    el.style.top = y + 'px';
    el.style.width = width + 'px';
    el.style.height = height + 'px';
    Colors.paint(el, 'back', back, moreContrastBack);
    Colors.paint(el, 'fore', fore, moreContrastFore);
    if (fontPixels > 0) Look.font(el, fontPixels, linePitch, bold);
    if (centred) el.style.textAlign = 'center';
    Controls.listen(w, c);
    w.controls.push(c);
  },

  tervanel_set_text__deps: ['$Controls', '$Convert', '$Windows'],
  tervanel_set_text: function(window, control, text, length) {
    Controls.setText(Windows.list[window].controls[control], Convert.text(text, length));
  },

  tervanel_set_visible__deps: ['$Windows'],
  tervanel_set_visible: function(window, control, visible) {
    Windows.list[window].controls[control].el.hidden = !visible;
  },

  tervanel_set_bold__deps: ['$Look', '$Windows'],
  tervanel_set_bold: function(window, control, bold) {
    Look.bold(Windows.list[window].controls[control].el, bold);
  },

  tervanel_set_fore_color__deps: ['$Colors', '$Windows'],
  tervanel_set_fore_color: function(window, control, color, moreContrast) {
    Colors.paint(Windows.list[window].controls[control].el, 'fore', color, moreContrast);
  },

  tervanel_set_back_color__deps: ['$Colors', '$Windows'],
  tervanel_set_back_color: function(window, control, color, moreContrast) {
    Colors.paint(Windows.list[window].controls[control].el, 'back', color, moreContrast);
  },

  tervanel_set_tool_tip__deps: ['$Convert', '$Windows'],
  tervanel_set_tool_tip: function(window, control, text, length) {
    Windows.list[window].controls[control].el.title = Convert.text(text, length);
  },
};

mergeInto(LibraryManager.library, LibraryTervanelControl);
