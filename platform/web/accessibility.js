// What screen readers get from the page: each window and control with the role, name,
// state and actions the program gives it (services/accessibility.hpp), in ARIA terms, and
// the words the program announces, through a live region.

var LibraryTervanelAccessibility = {
  $Accessibility__deps: ['$Enums', '$Look'],
  $Accessibility__postset: 'Accessibility.start();',
  $Accessibility: {
    live: null,
    words: null,

    start: function() {
      var live = Accessibility.live = Look.element('div', 'live', document.body);
      live.setAttribute('aria-live', 'polite');
    },

    // A role of the program's as the page's element has it: its ARIA role, or none where
    // the element is what the role says already (a text, the page's own button).
    ariaRole: function(role) {
      switch (role) {
      case Enums.Role.Frame: return 'main';
      case Enums.Role.Dialog: return 'dialog';
      case Enums.Role.CheckBox: return 'checkbox';
      case Enums.Role.Graphic: return 'img';
      case Enums.Role.Grouping: return 'group';
      case Enums.Role.StaticText:
      case Enums.Role.PushButton:
      default:
        return null;
      }
    },
    // Pictures and frames are named by the descriptions the program gives them; the
    // rest by what they show.
    namedByDescription: function(role) {
      return role === Enums.Role.Graphic || role === Enums.Role.Grouping;
    },

    // Words for screen readers, in the live region once the program is back in its event
    // loop; inside the box that a handler opened, if any, since the rest of the page is
    // out of reach while it is open. Each time a new paragraph, so that the same words
    // are spoken again.
    say: function(words) {
      if (Accessibility.words === null) setTimeout(Accessibility.speak, 0);
      Accessibility.words = words;
    },
    speak: function() {
      var live = Accessibility.live, home = document.querySelector('dialog[open]') || document.body;
      if (live.parentNode !== home) home.appendChild(live);
      live.replaceChildren();
      Accessibility.words.split('\n').forEach(function(line) {
        Look.element('p', null, live).textContent = line;
      });
      Accessibility.words = null;
    },
    // A box that closes hands the live region back to the page.
    leave: function(box) {
      if (Accessibility.live.parentNode === box) document.body.appendChild(Accessibility.live);
    },
  },

  tervanel_present__deps: ['$Accessibility', '$Convert', '$Enums', '$Windows'],
  tervanel_present: function(window, control, role, name, nameLength, checked, focusable,
                             actions, actionsLength) {
    var c = Windows.list[window].controls[control], el = c.el, aria = Accessibility.ariaRole(role);
    if (aria) el.setAttribute('role', aria);
    else el.removeAttribute('role');
    if (Accessibility.namedByDescription(role) && nameLength)
      el.setAttribute('aria-label', Convert.text(name, nameLength));
    if (checked >= 0) el.setAttribute('aria-checked', checked ? 'true' : 'false');
    if (actionsLength) el.setAttribute('aria-description', Convert.text(actions, actionsLength));
    // A push button is in the tab order as the page's own button is.
    if (c.kind !== Enums.ControlKind.PushButton) {
      if (focusable) el.tabIndex = 0;
      else el.removeAttribute('tabindex');
    }
  },

  tervanel_announce__deps: ['$Accessibility', '$Convert'],
  tervanel_announce: function(words, length) {
    Accessibility.say(Convert.text(words, length));
  },
};

mergeInto(LibraryManager.library, LibraryTervanelAccessibility);
