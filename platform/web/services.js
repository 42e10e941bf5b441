// The rest of the window services in the page (services.hpp): what the page is told at
// start, the user's input handed to the program one event at a time and held while the
// program waits, message boxes as modal dialogs, the beep as a short tone, the idle
// tasks, and the end of the program.

var LibraryTervanelServices = {
  // The program's enums by name (platform/web/names.hpp), handed over at start: the
  // page's scripts say Enums.KeyEffect.PressDefault where the program says
  // KeyEffect::PressDefault, and never a number (tests/web/boundary.test.cjs holds the
  // two to each other).
  $Enums: {},

  $Services__deps: ['$Accessibility', '$Convert', '$Enums', '$Look', '$Windows'],
  $Services: {
    // While a message box is open the program takes no input; while a handler waits for
    // a picture, input waits for it, as on the desktop.
    modal: false,
    busy: 0,
    queue: [],
    ended: false,
    audio: null,

    // Hands the user's input to the program, one event at a time.
    deliver: function(w, call) {
      if (Services.modal || Services.ended || w.unloaded) return;
      if (Services.busy) return Services.queue.push([w, call]);
      call();
    },

    // The program waits for the page (a box to be closed, a picture to arrive) without
    // blocking it: Asyncify suspends the handler until `start` hands back the result,
    // and the handler goes on from there. Input is held meanwhile, and handed on once
    // the handler has run to its end. A result handed back at once suspends nothing.
    suspend: function(modal, start) {
      return Asyncify.handleSleep(function(wakeUp) {
        var handed = false, waiting = false;
        start(function(result) {
          handed = true;
          if (!waiting) return wakeUp(result);
          Services.modal = false;
          wakeUp(result);
          --Services.busy;
          while (!Services.busy && !Services.modal && Services.queue.length)
            Services.deliver.apply(null, Services.queue.shift());
        });
        if (handed) return;
        waiting = true;
        ++Services.busy;
        Services.modal = modal;
      });
    },

    // A modal box: the program waits until it is closed, by its button, by Esc, or by
    // Enter or Space wherever the user clicked: the box keeps the keyboard (Tab stays on
    // its one button).
    messageBox: function(prompt, style, title) {
      return new Promise(function(resolve) {
        var box = Look.element('dialog', 'box');
        box.setAttribute('role', 'alertdialog');
        box.setAttribute('aria-modal', 'true');
        var bar = Look.element('div', 'title', box);
        bar.id = 'box-title';
        bar.textContent = title;
        box.setAttribute('aria-labelledby', bar.id);
        var body = Look.element('div', 'box-body', box);
        var icon = Services.iconOf(style);
        if (icon) {
          var sign = Look.element('span', 'icon ' + icon.look, body);
          sign.setAttribute('aria-hidden', 'true');
          sign.textContent = icon.sign;
        }
        var text = Look.element('p', 'prompt', body);
        text.id = 'box-prompt';
        text.textContent = Convert.lines(prompt);
        box.setAttribute('aria-describedby', text.id);
        var ok = Look.element('button', 'button', Look.element('div', 'box-buttons', box));
        ok.type = 'button';
        ok.textContent = 'OK';
        var finish = function() {
          document.removeEventListener('keydown', keep, true);
          document.removeEventListener('mousedown', keep, true);
          Accessibility.leave(box);
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
        Windows.takeOver();
        document.body.appendChild(box);
        box.showModal();
        ok.focus();
      });
    },
    // A box's icon for the program's message style: its look (look.css) and its sign;
    // none for a box without one.
    iconOf: function(style) {
      switch (style) {
      case Enums.MessageStyle.Critical: return { look: 'critical', sign: '\u00d7' };
      case Enums.MessageStyle.Information: return { look: 'information', sign: 'i' };
      case Enums.MessageStyle.OkOnly:
      default:
        return null;
      }
    },
  },

  tervanel_page_start__deps: ['$Convert', '$Enums', '$Picture'],
  tervanel_page_start: function(json, length) {
    var start = JSON.parse(Convert.text(json, length));
    Object.assign(Enums, start['enums']);
    Picture.files = start['pictures'];
  },

  tervanel_await_message_box__deps: ['$Convert', '$Services'],
  tervanel_await_message_box: function(prompt, promptLength, style, title, titleLength) {
    var p = Convert.text(prompt, promptLength), t = Convert.text(title, titleLength);
    return Services.suspend(true, function(resume) { Services.messageBox(p, style, t).then(resume); });
  },

  // A short tone. Browsers let a page sound only after the user's own press, and the
  // program beeps only in the handler of one.
  tervanel_beep__deps: ['$Services'],
  tervanel_beep: function() {
    try {
      var audio = Services.audio = Services.audio || new AudioContext();
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
  tervanel_when_idle__deps: ['$Services', 'tervanel_web_idle'],
  tervanel_when_idle: function(services) {
    var idle = function() { _tervanel_web_idle(services); };
    var run = function() {
      if (Services.ended) return;
      if (Services.busy) Services.queue.push([{}, idle]);
      else idle();
    };
    Module['afterFirstPaint'](function() {
      requestAnimationFrame(function() { setTimeout(run, 0); });
    });
  },

  tervanel_page_end__deps: ['$Convert', '$Services', '$Windows'],
  tervanel_page_end: function(line, length) {
    Services.ended = true;
    Windows.takeOver();
    Windows.list.forEach(function(w) {
      w.unloaded = true;
      w.root.remove();
    });
    var end = document.getElementById('ended');
    var said = end.querySelector('h1');
    said.textContent = Convert.text(line, length);
    end.hidden = false;
    said.focus();
  },
};

mergeInto(LibraryManager.library, LibraryTervanelServices);
