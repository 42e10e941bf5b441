// The window services' side in the page (dom.hpp declares it to the program): windows
// and controls as elements, their events back to the program, message boxes as modal
// dialogs, the beep as a short tone, and the end of the program. The look is in look.css.

var LibraryTervanelDom = {
  $Dom__postset: 'Dom.start();',
  $Dom: {
    windows: [],
    // While a message box is open the program takes no input; while a handler waits for
    // a picture, input waits for it, as on the desktop.
    modal: false,
    busy: 0,
    queue: [],
    ended: false,
    audio: null,
    taps: null,
    pictures: ['banner.gif', 'portrait.jpg'],
    // Control kinds, as services::ControlKind numbers them.
    LABEL: 0, QUESTION: 1, BUTTON: 2, PICTURE_BOX: 3, IMAGE: 4, FRAME: 5,

    start: function() {
      addEventListener('resize', function() { Dom.fit(); });
      document.addEventListener('keydown', function(e) { Dom.keyDown(e); }, true);
    },

    text: function(ptr, length) { return length ? UTF8ToString(ptr, length) : ''; },
    // Lone CRs are line breaks.
    shown: function(text) { return text.replace(/\r/g, '\n'); },
    color: function(c) {
      return 'rgb(' + (c & 255) + ',' + ((c >> 8) & 255) + ',' + ((c >> 16) & 255) + ')';
    },
    // A font at a size in points as at 96 dots per inch, its lines as close as the
    // face's height allows, rounded up to whole pixels.
    font: function(el, points, bold) {
      var px = Math.round(points * 96 / 72);
      el.style.fontSize = px + 'px';
      el.style.lineHeight = Math.ceil(px * 2288 / 2048) + 'px';
      el.style.fontWeight = bold ? '700' : '400';
    },
    element: function(tag, cls, parent) {
      var el = document.createElement(tag);
      if (cls) el.className = cls;
      if (parent) parent.appendChild(el);
      return el;
    },

    deliver: function(w, kind, control, character) {
      if (Dom.modal || Dom.ended || w.unloaded) return;
      if (Dom.busy) return Dom.queue.push([w, kind, control, character]);
      _tervanel_web_event(w.events, kind, control, character || 0);
    },

    // Mouse: the second press of a double-click is the double-click itself (a third
    // press is a click again). Touch: a second tap on the same control soon after the
    // first is a double tap.
    pressOf: function(e, control) {
      if (e.pointerType !== 'touch') return e.detail % 2 === 0 && e.detail > 0 ? 1 : 0;
      var now = e.timeStamp, last = Dom.taps;
      Dom.taps = { control: control, at: now };
      if (last && last.control === control && now - last.at < 400) {
        Dom.taps = null;
        return 1;
      }
      return 0;
    },

    listen: function(w, c, kind) {
      var el = c.el;
      el.addEventListener('click', function(e) {
        e.stopPropagation(); // a click on a control never reaches what lies beneath
        if (kind === Dom.BUTTON) return Dom.deliver(w, 0, c.row);
        var press = Dom.pressOf(e, c);
        if (press === 0) Dom.deliver(w, 0, c.row);
        else if (kind === Dom.LABEL || kind === Dom.QUESTION) Dom.deliver(w, 1, c.row);
      });
      if (kind === Dom.BUTTON) return;
      // Labels and pictures leave the focus where it is.
      el.addEventListener('mousedown', function(e) { e.preventDefault(); });
    },

    // Key preview: a key that produces a character goes to the window alone.
    keyDown: function(e) {
      if (Dom.modal || Dom.ended) return;
      var w = Dom.windows.find(function(w) { return w.keyPreview && w.visible && !w.unloaded; });
      if (w) {
        var character = Dom.characterOf(e);
        if (character) {
          e.preventDefault();
          e.stopPropagation();
          Dom.deliver(w, 2, 0, character);
        }
        return;
      }
      if (e.key === 'Tab') Dom.tab(e);
    },
    characterOf: function(e) {
      if (e.ctrlKey || e.altKey || e.metaKey || e.isComposing) return 0;
      if (e.key.length === 1 || (e.key.length === 2 && e.key.codePointAt(0) > 0xFFFF))
        return e.key.codePointAt(0);
      return { Enter: 13, Escape: 27, Backspace: 8, Tab: 9 }[e.key] || 0;
    },
    // Tab and Shift+Tab go round the window's controls, as on the desktop.
    tab: function(e) {
      var w = Dom.windows.find(function(w) { return w.visible && !w.unloaded; });
      if (!w) return;
      var stops = Array.prototype.filter.call(w.client.querySelectorAll('[tabindex="0"],button'),
        function(el) { return el.offsetParent !== null; });
      if (!stops.length) return;
      var at = stops.indexOf(document.activeElement);
      var next = at < 0 ? (e.shiftKey ? stops.length - 1 : 0)
                        : (at + (e.shiftKey ? stops.length - 1 : 1)) % stops.length;
      e.preventDefault();
      stops[next].focus();
    },

    // Each window at its size, scaled down on a screen too small for it, never cut. The
    // scale is a zoom, which the page's layout takes in: a phone's browser then has no
    // wider page to zoom out to.
    fit: function() {
      Dom.windows.forEach(function(w) {
        if (!w.visible || w.unloaded) return;
        w.root.style.zoom = '';
        var scale = Math.min(1, innerWidth / w.root.offsetWidth, innerHeight / w.root.offsetHeight);
        if (scale < 1) w.root.style.zoom = String(scale);
      });
    },

    // A modal box: the program waits until it is closed (by its button, Enter, Space
    // or Esc). Nothing behind it takes input meanwhile.
    messageBox: function(prompt, style, title) {
      return new Promise(function(resolve) {
        var box = Dom.element('dialog', 'box');
        box.setAttribute('role', 'alertdialog');
        box.setAttribute('aria-modal', 'true');
        var bar = Dom.element('div', 'title', box);
        bar.id = 'box-title';
        bar.textContent = title;
        box.setAttribute('aria-labelledby', bar.id);
        var body = Dom.element('div', 'box-body', box);
        if (style) {
          var icon = Dom.element('span', 'icon ' + (style === 16 ? 'critical' : 'information'), body);
          icon.setAttribute('aria-hidden', 'true');
          icon.textContent = style === 16 ? '\u00d7' : 'i';
        }
        var text = Dom.element('p', 'prompt', body);
        text.id = 'box-prompt';
        text.textContent = Dom.shown(prompt);
        box.setAttribute('aria-describedby', text.id);
        var ok = Dom.element('button', 'button', Dom.element('div', 'box-buttons', box));
        ok.type = 'button';
        ok.textContent = 'OK';
        // Closed by its button, by Esc, or by Enter or Space wherever the user clicked:
        // the box keeps the keyboard (Tab stays on its one button).
        var finish = function() {
          document.removeEventListener('keydown', keep, true);
          document.removeEventListener('mousedown', keep, true);
          if (box.open) box.close();
          box.remove();
          resolve();
        };
        var keep = function(e) {
          if (e.type === 'mousedown') {
            if (!box.contains(e.target)) e.preventDefault();
          } else if (e.key === 'Tab') {
            e.preventDefault();
            ok.focus();
          } else if ((e.key === 'Enter' || e.key === ' ') && document.activeElement !== ok) {
            e.preventDefault();
            finish();
          }
        };
        document.addEventListener('keydown', keep, true);
        document.addEventListener('mousedown', keep, true);
        ok.addEventListener('click', finish);
        box.addEventListener('cancel', function(e) {
          e.preventDefault();
          finish();
        });
        document.body.appendChild(box);
        box.showModal();
        ok.focus();
      });
    },

    // The picture, once decoded; false when it is missing or damaged.
    picture: function(c, which) {
      var img = c.img;
      if (!img) {
        img = c.img = document.createElement('img');
        img.alt = '';
        img.draggable = false;
        c.el.appendChild(img);
      }
      img.src = Dom.pictures[which];
      return img.decode().then(function() { c.loaded = true; return 1; },
                               function() { c.loaded = false; return 0; });
    },

    waitFor: function(promise, modal) {
      ++Dom.busy;
      Dom.modal = !!modal;
      var done = function() {
        --Dom.busy;
        Dom.modal = false;
        while (!Dom.busy && Dom.queue.length) Dom.deliver.apply(null, Dom.queue.shift());
      };
      return promise.then(function(v) { done(); return v; }, function(e) { done(); throw e; });
    },
  },

  tervanel_window_create__deps: ['$Dom'],
  tervanel_window_create: function(events, id, idLength, caption, captionLength, spoken,
                                   spokenLength, frame, placement, width, height, back, points,
                                   bold, keyPreview) {
    var w = {
      events: events, controls: [], visible: false, unloaded: false,
      keyPreview: !!keyPreview, centred: placement === 1, bold: !!bold,
    };
    var root = w.root = Dom.element('div', 'window ' + (frame === 0 ? 'main' : 'dialog') +
                                         (w.centred ? ' centred' : ''));
    root.id = Dom.text(id, idLength);
    root.hidden = true;
    var name = Dom.text(caption, captionLength);
    if (frame === 0) {
      var bar = Dom.element('h1', 'title', root);
      bar.id = root.id + '-title';
      bar.textContent = name;
      root.setAttribute('role', 'main');
      root.setAttribute('aria-labelledby', bar.id);
      document.title = name;
    } else {
      root.setAttribute('role', 'dialog');
      root.setAttribute('aria-label', Dom.text(spoken, spokenLength));
    }
    var client = w.client = Dom.element('div', 'client', root);
    client.style.width = width + 'px';
    client.style.height = height + 'px';
    if (back >= 0) client.style.backgroundColor = Dom.color(back);
    Dom.font(client, points, bold);
    document.getElementById('desk').appendChild(root);
    return Dom.windows.push(w) - 1;
  },

  tervanel_control_add__deps: ['$Dom'],
  tervanel_control_add: function(window, id, idLength, kind, text, textLength, x, y, width,
                                 height, back, fore, points, bold, centred, tabIndex, parent) {
    var w = Dom.windows[window];
    var c = { row: w.controls.length, kind: kind, loaded: false, bold: points > 0 ? !!bold : w.bold };
    var el;
    switch (kind) {
    case Dom.BUTTON:
      el = Dom.element('button', 'button');
      el.type = 'button';
      el.textContent = Dom.text(text, textLength);
      break;
    case Dom.PICTURE_BOX:
      el = Dom.element('div', 'picture-box');
      el.tabIndex = 0;
      el.setAttribute('role', 'img');
      break;
    case Dom.IMAGE:
      el = Dom.element('div', 'image');
      el.setAttribute('role', 'img');
      break;
    case Dom.FRAME:
      el = Dom.element('div', 'frame');
      el.setAttribute('role', 'group');
      break;
    default:
      el = Dom.element('div', 'label');
      el.textContent = Dom.shown(Dom.text(text, textLength));
      if (kind === Dom.QUESTION) {
        el.setAttribute('role', 'checkbox');
        el.setAttribute('aria-checked', 'false');
      }
    }
    c.el = el;
    // Control names repeat from window to window: the page's ids carry the window's.
    el.id = w.root.id + '-' + Dom.text(id, idLength);
    el.style.left = x + 'px';
    el.style.top = y + 'px';
    el.style.width = width + 'px';
    el.style.height = height + 'px';
    if (back >= 0) el.style.backgroundColor = Dom.color(back);
    if (fore >= 0) el.style.color = Dom.color(fore);
    if (points > 0) Dom.font(el, points, bold);
    if (centred) el.style.textAlign = 'center';
    c.parent = parent;
    Dom.listen(w, c, kind);
    w.controls.push(c);
  },

  tervanel_controls_order__deps: ['$Dom'],
  tervanel_controls_order: function(window, rows, count) {
    var w = Dom.windows[window];
    for (var i = 0; i < count; ++i) {
      var c = w.controls[HEAP32[(rows >> 2) + i]];
      (c.parent >= 0 ? w.controls[c.parent].el : w.client).appendChild(c.el);
    }
  },

  tervanel_window_show__deps: ['$Dom'],
  tervanel_window_show: function(window) {
    var w = Dom.windows[window];
    w.visible = true;
    w.root.hidden = false;
    Dom.fit();
    // The control given the focus before, or else the first in tab order.
    var focus = w.focus || w.client.querySelector('button,[tabindex="0"]');
    if (focus && !w.root.contains(document.activeElement)) focus.focus();
  },

  tervanel_window_hide__deps: ['$Dom'],
  tervanel_window_hide: function(window) {
    var w = Dom.windows[window];
    w.visible = false;
    w.root.hidden = true;
  },

  tervanel_window_unload__deps: ['$Dom'],
  tervanel_window_unload: function(window) {
    var w = Dom.windows[window];
    w.unloaded = true;
    w.visible = false;
    w.root.remove();
  },

  tervanel_set_text__deps: ['$Dom'],
  tervanel_set_text: function(window, control, text, length) {
    var c = Dom.windows[window].controls[control];
    var shown = Dom.text(text, length);
    c.el.textContent = c.kind === Dom.BUTTON ? shown : Dom.shown(shown);
  },

  tervanel_set_visible__deps: ['$Dom'],
  tervanel_set_visible: function(window, control, visible) {
    Dom.windows[window].controls[control].el.hidden = !visible;
  },

  tervanel_bold__deps: ['$Dom'],
  tervanel_bold: function(window, control) {
    return Dom.windows[window].controls[control].bold ? 1 : 0;
  },

  tervanel_set_bold__deps: ['$Dom'],
  tervanel_set_bold: function(window, control, bold) {
    var c = Dom.windows[window].controls[control];
    c.bold = !!bold;
    c.el.style.fontWeight = bold ? '700' : '400';
    if (c.kind === Dom.QUESTION) c.el.setAttribute('aria-checked', bold ? 'true' : 'false');
  },

  tervanel_set_fore_color__deps: ['$Dom'],
  tervanel_set_fore_color: function(window, control, color) {
    Dom.windows[window].controls[control].el.style.color = Dom.color(color);
  },

  tervanel_set_back_color__deps: ['$Dom'],
  tervanel_set_back_color: function(window, control, color) {
    Dom.windows[window].controls[control].el.style.backgroundColor = Dom.color(color);
  },

  tervanel_set_picture__deps: ['$Dom'],
  tervanel_set_picture: function(window, control, picture) {
    var c = Dom.windows[window].controls[control];
    return Asyncify.handleAsync(function() { return Dom.waitFor(Dom.picture(c, picture)); });
  },

  tervanel_has_picture__deps: ['$Dom'],
  tervanel_has_picture: function(window, control) {
    return Dom.windows[window].controls[control].loaded ? 1 : 0;
  },

  tervanel_set_focus__deps: ['$Dom'],
  tervanel_set_focus: function(window, control) {
    var w = Dom.windows[window];
    w.focus = w.controls[control].el;
    if (w.visible) w.focus.focus();
  },

  tervanel_set_tool_tip__deps: ['$Dom'],
  tervanel_set_tool_tip: function(window, control, text, length) {
    Dom.windows[window].controls[control].el.title = Dom.text(text, length);
  },

  tervanel_set_description__deps: ['$Dom'],
  tervanel_set_description: function(window, control, text, length) {
    Dom.windows[window].controls[control].el.setAttribute('aria-label', Dom.text(text, length));
  },

  tervanel_message_box__deps: ['$Dom'],
  tervanel_message_box: function(prompt, promptLength, style, title, titleLength) {
    var p = Dom.text(prompt, promptLength), t = Dom.text(title, titleLength);
    return Asyncify.handleAsync(function() { return Dom.waitFor(Dom.messageBox(p, style, t), true); });
  },

  // A short tone. Browsers let a page sound only after the user's own press, and the
  // program beeps only in the handler of one.
  tervanel_beep__deps: ['$Dom'],
  tervanel_beep: function() {
    try {
      var audio = Dom.audio = Dom.audio || new AudioContext();
      var tone = audio.createOscillator(), gain = audio.createGain(), t = audio.currentTime;
      tone.frequency.value = 880;
      gain.gain.setValueAtTime(0.2, t);
      gain.gain.exponentialRampToValueAtTime(0.001, t + 0.15);
      tone.connect(gain).connect(audio.destination);
      tone.start(t);
      tone.stop(t + 0.15);
    } catch (e) {
      // No sound on this device: the beep returns at once all the same.
    }
  },

  tervanel_page_end__deps: ['$Dom'],
  tervanel_page_end: function(line, length) {
    Dom.ended = true;
    Dom.windows.forEach(function(w) {
      w.unloaded = true;
      w.root.remove();
    });
    var end = document.getElementById('ended');
    var said = end.querySelector('h1');
    said.textContent = Dom.text(line, length);
    end.hidden = false;
    said.focus();
  },
};

mergeInto(LibraryManager.library, LibraryTervanelDom);
