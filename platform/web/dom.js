// The window services' side in the page (dom.hpp declares it to the program): windows
// and controls as elements, the user's gestures and keys reported to the program (which
// decides what they mean), message boxes as modal dialogs, the live region that speaks
// to screen readers, the beep as a short tone, and the end of the program. The look is
// in look.css.

var LibraryTervanelDom = {
  $Dom__postset: 'Dom.start();',
  $Dom: {
    windows: [],
    shown: 0,
    // While a message box is open the program takes no input; while a handler waits for
    // a picture, input waits for it, as on the desktop.
    modal: false,
    busy: 0,
    queue: [],
    ended: false,
    audio: null,
    taps: null,
    words: null,
    // The program's control kinds, gestures, keys and key effects, by the names the
    // program gives them at its start (tervanel_names), and its pictures' files;
    // accessibility::Role in order.
    kinds: null,
    gestures: null,
    keys: null,
    effects: null,
    pictures: null,
    roles: ['main', 'dialog', 'checkbox', null, null, 'img', 'group'],

    start: function() {
      addEventListener('resize', function() { Dom.fit(); });
      document.addEventListener('keydown', function(e) { Dom.keyDown(e); }, true);
      var live = Dom.live = Dom.element('div', 'live', document.body);
      live.setAttribute('aria-live', 'polite');
    },

    text: function(ptr, length) { return length ? UTF8ToString(ptr, length) : ''; },
    // Lone CRs are line breaks.
    lines: function(text) { return text.replace(/\r/g, '\n'); },
    color: function(c) {
      return 'rgb(' + (c & 255) + ',' + ((c >> 8) & 255) + ',' + ((c >> 16) & 255) + ')';
    },
    // A colour as designed, and the one shown in its place with more contrast and in one
    // column (look.css chooses).
    paint: function(el, property, color, moreContrast) {
      if (color < 0) return;
      el.style[property === 'fore' ? 'color' : 'backgroundColor'] = Dom.color(color);
      el.style.setProperty('--more-contrast-' + property, Dom.color(moreContrast));
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

    // Hands the user's input to the program, one event at a time.
    deliver: function(w, call) {
      if (Dom.modal || Dom.ended || w.unloaded) return;
      if (Dom.busy) return Dom.queue.push([w, call]);
      call();
    },
    gesture: function(w, row, gesture) {
      Dom.deliver(w, function() { _tervanel_web_gesture(w.program, row, gesture); });
    },
    click: function(w, row) { Dom.gesture(w, row, Dom.gestures.CLICK); },

    // Mouse: the second press of a double-click is the double-click itself (a third
    // press is a click again). Touch: a second tap on the same control soon after the
    // first is a double tap.
    pressOf: function(e, c) {
      var g = Dom.gestures;
      if (e.pointerType !== 'touch') return e.detail > 0 && e.detail % 2 === 0 ? g.DOUBLE_CLICK : g.CLICK;
      var now = e.timeStamp, last = Dom.taps;
      Dom.taps = { control: c, at: now };
      if (last && last.control === c && now - last.at < 400) {
        Dom.taps = null;
        return g.DOUBLE_CLICK;
      }
      return g.CLICK;
    },

    listen: function(w, c) {
      var el = c.el;
      el.addEventListener('click', function(e) {
        e.stopPropagation(); // a click on a control never reaches what lies beneath
        Dom.gesture(w, c.row, Dom.pressOf(e, c));
      });
      el.addEventListener('contextmenu', function(e) {
        if (!_tervanel_web_gesture_delivers(w.program, c.row, Dom.gestures.RIGHT_CLICK)) return;
        e.preventDefault();
        e.stopPropagation();
        Dom.gesture(w, c.row, Dom.gestures.RIGHT_CLICK);
      });
      // Only push buttons take the focus from a click or a tap: a question takes it
      // from the keyboard alone, and nothing else takes it at all.
      if (c.kind !== Dom.kinds.BUTTON)
        el.addEventListener('mousedown', function(e) { e.preventDefault(); });
    },

    // The window that takes the keys: the one shown last that is still on screen.
    active: function() {
      var on = Dom.windows.filter(function(w) { return w.visible && !w.unloaded; });
      on.sort(function(a, b) { return b.shownAt - a.shownAt; });
      return on[0];
    },
    focusedRow: function(w) {
      var c = w.controls.find(function(c) { return c.el === document.activeElement; });
      return c ? c.row : -1;
    },
    // The character a key makes, as the desktop would deliver it; none with Ctrl, Alt or
    // Meta, which the browser keeps for its own shortcuts.
    characterOf: function(e) {
      if (e.ctrlKey || e.altKey || e.metaKey || e.isComposing) return 0;
      if (e.key.length === 1 || (e.key.length === 2 && e.key.codePointAt(0) > 0xFFFF))
        return e.key.codePointAt(0);
      return { Enter: 13, Escape: 27, Backspace: 8, Tab: 9 }[e.key] || 0;
    },
    keyDown: function(e) {
      if (Dom.modal || Dom.ended) return;
      var w = Dom.active();
      if (!w) return;
      var k = Dom.keys;
      var key = e.key === 'Enter' ? (e.code === 'NumpadEnter' ? k.KEYPAD_ENTER : k.ENTER)
              : e.key === ' ' ? k.SPACE : e.key === 'Tab' ? (e.shiftKey ? k.BACK_TAB : k.TAB) : k.OTHER;
      var character = Dom.characterOf(e);
      var focused = Dom.focusedRow(w);
      var effect = _tervanel_web_key_effect(w.program, key, character ? 1 : 0, e.repeat ? 1 : 0,
                                            e.ctrlKey || e.altKey || e.metaKey ? 1 : 0, focused);
      switch (effect) {
      case Dom.effects.PREVIEW:
        Dom.deliver(w, function() { _tervanel_web_key_press(w.program, character); });
        break;
      case Dom.effects.PRESS_FOCUSED:
        Dom.click(w, focused);
        break;
      case Dom.effects.PRESS_DEFAULT:
        var button = _tervanel_web_default_button(w.program);
        if (button >= 0) Dom.click(w, button);
        break;
      case Dom.effects.TOGGLE_ANSWER:
        Dom.deliver(w, function() { _tervanel_web_toggle_answer(w.program, focused); });
        break;
      case Dom.effects.FOCUS_NEXT:
      case Dom.effects.FOCUS_PREVIOUS:
        var next = _tervanel_web_next_focus(w.program, focused, effect === Dom.effects.FOCUS_PREVIOUS ? 1 : 0);
        if (next >= 0) w.controls[next].el.focus();
        break;
      default:
        return; // the browser's own
      }
      e.preventDefault();
      e.stopPropagation();
    },

    // Each window at its size, or in one column on a screen too small for it
    // (tervanelFit, in the page's first script, app/web/early.js). A window just shown
    // in one column is seen from its top.
    fit: function() {
      Dom.windows.forEach(function(w) {
        if (!w.visible || w.unloaded) return;
        tervanelFit(w.root);
        if (w.fitted) return;
        w.fitted = true;
        if (w.root.classList.contains('column')) scrollTo(0, 0);
      });
    },

    // Once, in the next frame, however many windows are shown before it.
    fitSoon: function() {
      if (Dom.fitting) return;
      Dom.fitting = true;
      requestAnimationFrame(function() {
        Dom.fitting = false;
        Dom.fit();
      });
    },

    // Words for screen readers, in the page's live region once the program is back in
    // its event loop; inside the box that a handler opened, if any, since the rest of the
    // page is out of reach while it is open. Each time a new paragraph, so that the same
    // words are spoken again.
    say: function(words) {
      if (Dom.words === null) setTimeout(Dom.speak, 0);
      Dom.words = words;
    },
    speak: function() {
      var live = Dom.live, home = document.querySelector('dialog[open]') || document.body;
      if (live.parentNode !== home) home.appendChild(live);
      live.replaceChildren();
      Dom.words.split('\n').forEach(function(line) { Dom.element('p', null, live).textContent = line; });
      Dom.words = null;
    },

    // A modal box: the program waits until it is closed, by its button, by Esc, or by
    // Enter or Space wherever the user clicked: the box keeps the keyboard (Tab stays on
    // its one button).
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
        text.textContent = Dom.lines(prompt);
        box.setAttribute('aria-describedby', text.id);
        var ok = Dom.element('button', 'button', Dom.element('div', 'box-buttons', box));
        ok.type = 'button';
        ok.textContent = 'OK';
        var finish = function() {
          document.removeEventListener('keydown', keep, true);
          document.removeEventListener('mousedown', keep, true);
          if (Dom.live.parentNode === box) document.body.appendChild(Dom.live);
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
        Dom.takeOver();
        document.body.appendChild(box);
        box.showModal();
        ok.focus();
      });
    },

    // A control's picture element, showing the site's file of that name.
    picture: function(c, file) {
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

    // The program waits for the page (a box to be closed, a picture to arrive) without
    // blocking it: Asyncify suspends the handler, and resumes it by calling the same
    // function again, which then hands back the result. Input is held meanwhile, and
    // handed on once the handler has run to its end.
    suspend: function(modal, start) {
      return Asyncify.handleSleep(function(wakeUp) {
        ++Dom.busy;
        Dom.modal = modal;
        start(function(result) {
          Dom.modal = false;
          wakeUp(result);
          --Dom.busy;
          while (!Dom.busy && !Dom.modal && Dom.queue.length) Dom.deliver.apply(null, Dom.queue.shift());
        });
      });
    },

    // Until the program started, the page showed its own copy of the first window
    // (first_window.cjs), inert: the program's first window, or its first box, takes its
    // place in the same frame, and the keys and clicks that came meanwhile (kept by the
    // page's first script) are handed on in order once the loop has turned.
    takeOver: function() {
      var copy = document.getElementById('first-window');
      if (copy) copy.remove();
      var early = window['tervanelEarly'];
      if (!early) return;
      window['tervanelEarly'] = null;
      removeEventListener('keydown', early.keep, true);
      removeEventListener('click', early.keep, true);
      if (!early.events.length) return;
      setTimeout(function() {
        early.events.forEach(function(e) {
          if (e.type === 'keydown') return Dom.keyDown(e);
          var at = document.elementFromPoint(e.clientX, e.clientY);
          if (at) at.dispatchEvent(new MouseEvent('click', {
            bubbles: true, detail: e.detail, clientX: e.clientX, clientY: e.clientY }));
        });
      }, 0);
    },

    // Once the first window is painted, what only later moments need (the bold face,
    // the banner) is fetched, at the page's start: afterwards it asks for nothing more.
    fetchTheRest: function() {
      if (Dom.rest) return;
      Dom.rest = [];
      Module['afterFirstPaint'](function() {
        document.fonts.load('700 11px "Liberation Sans"');
        Dom.rest = Dom.pictures.map(function(file) {
          var img = new Image();
          img.src = file;
          return img;
        });
      });
    },

  },

  tervanel_names__deps: ['$Dom'],
  tervanel_names: function(json, length) {
    var names = JSON.parse(Dom.text(json, length));
    Dom.kinds = names['kinds'];
    Dom.gestures = names['gestures'];
    Dom.keys = names['keys'];
    Dom.effects = names['effects'];
    Dom.pictures = names['pictures'];
  },

  tervanel_window_create__deps: ['$Dom'],
  tervanel_window_create: function(program, id, idLength, caption, captionLength, name,
                                   nameLength, role, placement, width, height, back,
                                   moreContrastBack, points, bold) {
    var w = { program: program, controls: [], visible: false, unloaded: false, shownAt: 0 };
    var root = w.root = Dom.element('div', 'window' + (placement === 1 ? ' centred' : ''));
    root.id = Dom.text(id, idLength);
    root.hidden = true;
    root.setAttribute('role', Dom.roles[role]);
    var title = Dom.text(caption, captionLength);
    if (title) {
      var bar = Dom.element('h1', 'title', root);
      bar.id = root.id + '-title';
      bar.textContent = title;
      document.title = title;
    }
    root.setAttribute('aria-label', Dom.text(name, nameLength));
    var client = w.client = Dom.element('div', 'client', root);
    client.style.width = width + 'px';
    client.style.height = height + 'px';
    if (back >= 0) client.style.backgroundColor = Dom.color(back);
    // The window's ground with more contrast, where it has none of its own too.
    if (moreContrastBack >= 0) client.style.setProperty('--more-contrast-ground', Dom.color(moreContrastBack));
    Dom.font(client, points, bold);
    document.getElementById('desk').appendChild(root);
    return Dom.windows.push(w) - 1;
  },

  tervanel_control_add__deps: ['$Dom'],
  tervanel_control_add: function(window, id, idLength, kind, text, textLength, x, y, width,
                                 height, back, fore, moreContrastBack, moreContrastFore, points,
                                 bold, centred, parent) {
    var w = Dom.windows[window];
    var c = { row: w.controls.length, kind: kind, parent: parent };
    var el;
    switch (kind) {
    case Dom.kinds.BUTTON:
      el = Dom.element('button', 'button');
      el.type = 'button';
      el.textContent = Dom.text(text, textLength);
      break;
    case Dom.kinds.PICTURE_BOX:
      el = Dom.element('div', 'picture-box');
      break;
    case Dom.kinds.IMAGE:
      el = Dom.element('div', 'image');
      break;
    case Dom.kinds.FRAME:
      el = Dom.element('div', 'frame');
      break;
    default: // label, question
      el = Dom.element('div', 'label');
      el.textContent = Dom.lines(Dom.text(text, textLength));
    }
    c.el = el;
    // Control names repeat from window to window: the page's ids carry the window's.
    el.id = w.root.id + '-' + Dom.text(id, idLength);
    el.style.left = x + 'px';
    el.style.top = y + 'px';
    el.style.width = width + 'px';
    el.style.height = height + 'px';
    Dom.paint(el, 'back', back, moreContrastBack);
    Dom.paint(el, 'fore', fore, moreContrastFore);
    if (points > 0) Dom.font(el, points, bold);
    if (centred) el.style.textAlign = 'center';
    Dom.listen(w, c);
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

  tervanel_present__deps: ['$Dom'],
  tervanel_present: function(window, control, role, name, nameLength, checked, focusable,
                             actions, actionsLength) {
    var c = Dom.windows[window].controls[control], el = c.el, aria = Dom.roles[role];
    // Frames, dialogs, texts and buttons are what their elements are already.
    if (role >= 2 && aria) el.setAttribute('role', aria);
    if (role >= 2 && !aria) el.removeAttribute('role');
    // Pictures and frames are named by their descriptions; the rest by what they show.
    if (role >= 5 && nameLength) el.setAttribute('aria-label', Dom.text(name, nameLength));
    if (checked >= 0) el.setAttribute('aria-checked', checked ? 'true' : 'false');
    if (actionsLength) el.setAttribute('aria-description', Dom.text(actions, actionsLength));
    if (c.kind !== Dom.kinds.BUTTON) {
      if (focusable) el.tabIndex = 0;
      else el.removeAttribute('tabindex');
    }
  },

  tervanel_window_show__deps: ['$Dom'],
  tervanel_window_show: function(window) {
    var w = Dom.windows[window];
    w.visible = true;
    w.shownAt = ++Dom.shown;
    w.root.hidden = false;
    Dom.takeOver();
    // Fitted in the frame that first paints it, when its layout is made anyway: measured
    // now, the page would be laid out twice, once before the face has arrived.
    Dom.fitSoon();
    // The control given the focus before, or else the first in tab order.
    var first = _tervanel_web_next_focus(w.program, -1, 0);
    var focus = w.focus || (first >= 0 && w.controls[first].el);
    // Not scrolled to: the windows are fixed to the screen (and so no layout is forced).
    if (focus && !w.root.contains(document.activeElement)) focus.focus({ preventScroll: true });
    Dom.fetchTheRest();
  },

  tervanel_window_hide__deps: ['$Dom'],
  tervanel_window_hide: function(window) {
    var w = Dom.windows[window];
    w.visible = false;
    w.fitted = false;
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
    c.el.textContent = c.kind === Dom.kinds.BUTTON ? shown : Dom.lines(shown);
  },

  tervanel_set_visible__deps: ['$Dom'],
  tervanel_set_visible: function(window, control, visible) {
    Dom.windows[window].controls[control].el.hidden = !visible;
  },

  tervanel_set_bold__deps: ['$Dom'],
  tervanel_set_bold: function(window, control, bold) {
    Dom.windows[window].controls[control].el.style.fontWeight = bold ? '700' : '400';
  },

  tervanel_set_fore_color__deps: ['$Dom'],
  tervanel_set_fore_color: function(window, control, color, moreContrast) {
    Dom.paint(Dom.windows[window].controls[control].el, 'fore', color, moreContrast);
  },

  tervanel_set_back_color__deps: ['$Dom'],
  tervanel_set_back_color: function(window, control, color, moreContrast) {
    Dom.paint(Dom.windows[window].controls[control].el, 'back', color, moreContrast);
  },

  tervanel_set_picture__deps: ['$Dom'],
  // 1 once the picture has arrived (at once when the page has it already), 0 when it is
  // missing or damaged.
  tervanel_set_picture: function(window, control, file, fileLength) {
    // Called again when the handler resumes: then only the result is handed back.
    if (Asyncify.state === Asyncify.State.Normal) {
      var img = Dom.picture(Dom.windows[window].controls[control], Dom.text(file, fileLength));
      if (img.complete) return img.naturalWidth > 0 ? 1 : 0;
    }
    return Dom.suspend(false, function(resume) {
      img.onload = function() { resume(1); };
      img.onerror = function() { resume(0); };
    });
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

  tervanel_announce__deps: ['$Dom'],
  tervanel_announce: function(words, length) {
    Dom.say(Dom.text(words, length));
  },

  tervanel_bring_into_view__deps: ['$Dom'],
  tervanel_bring_into_view: function(window, control) {
    var w = Dom.windows[window];
    if (w.root.classList.contains('column')) w.controls[control].el.scrollIntoView({ block: 'start' });
  },

  tervanel_message_box__deps: ['$Dom'],
  tervanel_message_box: function(prompt, promptLength, style, title, titleLength) {
    var p = Dom.text(prompt, promptLength), t = Dom.text(title, titleLength);
    return Dom.suspend(true, function(resume) { Dom.messageBox(p, style, t).then(resume); });
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

  // Once the first window is painted (the page's copy of it, and then the program's own,
  // in the next frame), and the loop has turned: the program's idle tasks, after any
  // input that waits.
  tervanel_when_idle__deps: ['$Dom'],
  tervanel_when_idle: function(services) {
    var idle = function() { _tervanel_web_idle(services); };
    var run = function() {
      if (Dom.ended) return;
      if (Dom.busy) Dom.queue.push([{}, idle]);
      else idle();
    };
    Module['afterFirstPaint'](function() {
      requestAnimationFrame(function() { setTimeout(run, 0); });
    });
  },

  tervanel_page_end__deps: ['$Dom'],
  tervanel_page_end: function(line, length) {
    Dom.ended = true;
    Dom.takeOver();
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
