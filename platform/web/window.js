// A window in the page: an element with its title bar (a main window's) and its client
// area, drawn at its size where the screen holds it, else in one column (look.css); the
// keys the user presses in it, which the program gives their meaning
// (services/gestures.hpp); and the first window taking the place of the page's copy of
// it (app/web), with what the user did on that copy meanwhile.

var LibraryTervanelWindow = {
  $Windows__deps: ['$Controls', '$Enums', '$Look', '$Picture', '$Services',
                   'tervanel_web_key_effect', 'tervanel_web_key_press',
                   'tervanel_web_toggle_answer', 'tervanel_web_default_button',
                   'tervanel_web_next_focus'],
  $Windows__postset: 'Windows.start();',
  $Windows: {
    // Every window the program made, by the page's number for it.
    list: [],
    shown: 0,
    fitting: false,
    restFetched: false,

    start: function() {
      addEventListener('resize', function() { Windows.fit(); });
      document.addEventListener('keydown', function(e) { Windows.keyDown(e); }, true);
    },

    // The window that takes the keys: the one shown last that is still on screen.
    active: function() {
      var on = Windows.list.filter(function(w) { return w.visible && !w.unloaded; });
      on.sort(function(a, b) { return b.shownAt - a.shownAt; });
      return on[0];
    },
    focusedRow: function(w) {
      var c = w.controls.find(function(c) { return c.el === document.activeElement; });
      return c ? c.row : -1;
    },

    // A key as the program knows it.
    keyOf: function(e) {
      switch (e.key) {
      case 'Enter': return e.code === 'NumpadEnter' ? Enums.Key.KeypadEnter : Enums.Key.Enter;
      case ' ': return Enums.Key.Space;
      case 'Tab': return e.shiftKey ? Enums.Key.BackTab : Enums.Key.Tab;
      default: return Enums.Key.Other;
      }
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
      if (Services.modal || Services.ended) return;
      var w = Windows.active();
      if (!w) return;
      var character = Windows.characterOf(e);
      var focused = Windows.focusedRow(w);
      var effect = _tervanel_web_key_effect(w.program, Windows.keyOf(e), character ? 1 : 0,
                                            e.repeat ? 1 : 0, e.ctrlKey || e.altKey || e.metaKey ? 1 : 0,
                                            focused);
      switch (effect) {
      case Enums.KeyEffect.Preview:
        Services.deliver(w, function() { _tervanel_web_key_press(w.program, character); });
        break;
      case Enums.KeyEffect.PressFocused:
        Controls.click(w, focused);
        break;
      case Enums.KeyEffect.PressDefault:
        var button = _tervanel_web_default_button(w.program);
        if (button >= 0) Controls.click(w, button);
        break;
      case Enums.KeyEffect.ToggleAnswer:
        Services.deliver(w, function() { _tervanel_web_toggle_answer(w.program, focused); });
        break;
      case Enums.KeyEffect.FocusNext:
      case Enums.KeyEffect.FocusPrevious:
        var next = _tervanel_web_next_focus(w.program, focused,
                                            effect === Enums.KeyEffect.FocusPrevious ? 1 : 0);
        if (next >= 0) w.controls[next].el.focus();
        break;
      case Enums.KeyEffect.None:
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
      Windows.list.forEach(function(w) {
        if (!w.visible || w.unloaded) return;
        tervanelFit(w.root);
        if (w.fitted) return;
        w.fitted = true;
        if (w.root.classList.contains('column')) scrollTo(0, 0);
      });
    },
    // Once, in the next frame, however many windows are shown before it.
    fitSoon: function() {
      if (Windows.fitting) return;
      Windows.fitting = true;
      requestAnimationFrame(function() {
        Windows.fitting = false;
        Windows.fit();
      });
    },

    // Until the program started, the page showed its own copy of the first window, which
    // did nothing (app/web/early.js): the program's first window, or its first box, takes
    // its place in the same frame, and the keys and clicks that came meanwhile are handed
    // on in order once the loop has turned, each click to the program's element that the
    // clicked one was the copy of.
    takeOver: function() {
      var copy = document.getElementById('first-window');
      if (copy) copy.remove();
      var early = window['tervanelEarly'];
      if (!early) return;
      window['tervanelEarly'] = null;
      var kept = early.stop();
      if (!kept.length) return;
      setTimeout(function() {
        kept.forEach(function(input) {
          var e = input.event;
          if (e.type === 'keydown') return Windows.keyDown(e);
          var at = input.ids.map(function(id) { return document.getElementById(id); })
                            .filter(function(el) { return el; })[0];
          if (at) at.dispatchEvent(new PointerEvent('click', {
            bubbles: true, cancelable: true, detail: e.detail, pointerType: e.pointerType,
            clientX: e.clientX, clientY: e.clientY }));
        });
      }, 0);
    },

    // Once the first window is painted, what only later windows need: the bold face and
    // the pictures, fetched at the page's start; afterwards it asks for nothing more.
    fetchTheRest: function() {
      if (Windows.restFetched) return;
      Windows.restFetched = true;
      Module['afterFirstPaint'](function() {
        Look.fetchBoldFace();
        Picture.fetchAll();
      });
    },
  },

  tervanel_window_create__deps: ['$Accessibility', '$Colors', '$Convert', '$Look', '$Windows'],
  tervanel_window_create: function(program, id, idLength, caption, captionLength, name,
                                   nameLength, role, centred, width, height, back,
                                   moreContrastBack, fontPixels, linePitch, bold) {
    var w = { program: program, controls: [], visible: false, unloaded: false, shownAt: 0 };
    var root = w.root = Look.element('div', 'window' + (centred ? ' centred' : ''));
    root.id = Convert.text(id, idLength);
    root.hidden = true;
    root.setAttribute('role', Accessibility.ariaRole(role));
    var title = Convert.text(caption, captionLength);
    if (title) {
      var bar = Look.element('h1', 'title', root);
      bar.id = root.id + '-title';
      bar.textContent = title;
      document.title = title;
    }
    root.setAttribute('aria-label', Convert.text(name, nameLength));
    var client = w.client = Look.element('div', 'client', root);
    client.style.width = width + 'px';
    client.style.height = height + 'px';
    Colors.ground(client, back, moreContrastBack);
    Look.font(client, fontPixels, linePitch, bold);
    document.getElementById('desk').appendChild(root);
    return Windows.list.push(w) - 1;
  },

  tervanel_controls_order__deps: ['$Windows'],
  tervanel_controls_order: function(window, rows, count) {
    var w = Windows.list[window];
    for (var i = 0; i < count; ++i) {
      var c = w.controls[HEAP32[(rows >> 2) + i]];
      (c.parent >= 0 ? w.controls[c.parent].el : w.client).appendChild(c.el);
    }
  },

  tervanel_window_show__deps: ['$Windows'],
  tervanel_window_show: function(window) {
    var w = Windows.list[window];
    w.visible = true;
    w.shownAt = ++Windows.shown;
    w.root.hidden = false;
    Windows.takeOver();
    // Fitted in the frame that first paints it, when its layout is made anyway: measured
    // now, the page would be laid out twice, once before the face has arrived.
    Windows.fitSoon();
    // The control given the focus before, or else the first in tab order.
    var first = _tervanel_web_next_focus(w.program, -1, 0);
    var focus = w.focus || (first >= 0 && w.controls[first].el);
    // Not scrolled to: the windows are fixed to the screen (and so no layout is forced).
    if (focus && !w.root.contains(document.activeElement)) focus.focus({ preventScroll: true });
    Windows.fetchTheRest();
  },

  tervanel_window_hide__deps: ['$Windows'],
  tervanel_window_hide: function(window) {
    var w = Windows.list[window];
    w.visible = false;
    w.fitted = false;
    w.root.hidden = true;
  },

  tervanel_window_unload__deps: ['$Windows'],
  tervanel_window_unload: function(window) {
    var w = Windows.list[window];
    w.unloaded = true;
    w.visible = false;
    w.root.remove();
  },

  tervanel_set_focus__deps: ['$Windows'],
  tervanel_set_focus: function(window, control) {
    var w = Windows.list[window];
    w.focus = w.controls[control].el;
    if (w.visible) w.focus.focus();
  },

  tervanel_bring_into_view__deps: ['$Windows'],
  tervanel_bring_into_view: function(window, control) {
    var w = Windows.list[window];
    if (w.root.classList.contains('column')) w.controls[control].el.scrollIntoView({ block: 'start' });
  },
};

mergeInto(LibraryManager.library, LibraryTervanelWindow);
