#pragma once

#include <cstddef>
#include <cstdint>

// The page's side of the window services, written in JavaScript (dom.js) and linked
// into the program. Windows are numbered by the page; controls by their row. Texts
// cross as UTF-8 bytes with their length. Colours are 0x00BBGGRR, or -1 for none; each
// comes with the colour shown in its place with more contrast (services/palette.hpp).
extern "C" {

// The names the page gives the program's numbers (keys, key effects, gestures, control
// kinds), as a JSON object of objects: {"keys": {"ENTER": 0, ...}, ...}, and the files of
// the program's pictures ("pictures": [...]). Once, first.
void tervanel_names(const char *json, std::size_t length);

// `window` is the program's Window, which the page hands back with each user's input.
int tervanel_window_create(std::uintptr_t window, const char *id, std::size_t idLength,
                           const char *caption, std::size_t captionLength, const char *name,
                           std::size_t nameLength, int role, int placement, int width, int height,
                           int back, int moreContrastBack, double points, int bold);
void tervanel_control_add(int window, const char *id, std::size_t idLength, int kind,
                          const char *text, std::size_t textLength, int x, int y, int width,
                          int height, int back, int fore, int moreContrastBack,
                          int moreContrastFore, double points, int bold, int centred, int parent);
// Puts the controls into the page in this order, the order screen readers read them in.
void tervanel_controls_order(int window, const int *rows, std::size_t count);
// What a screen reader is given for a control (accessibility::Presentation): its role,
// its name where the name is not its text, whether it is checked (-1: not checkable),
// whether it takes the focus, and the actions it offers, in words (a page has no other
// way to list them).
void tervanel_present(int window, int control, int role, const char *name, std::size_t nameLength,
                      int checked, int focusable, const char *actions, std::size_t actionsLength);

void tervanel_window_show(int window);
void tervanel_window_hide(int window);
void tervanel_window_unload(int window);

void tervanel_set_text(int window, int control, const char *text, std::size_t length);
void tervanel_set_visible(int window, int control, int visible);
void tervanel_set_bold(int window, int control, int bold);
void tervanel_set_fore_color(int window, int control, int color, int moreContrast);
void tervanel_set_back_color(int window, int control, int color, int moreContrast);
// Waits until the picture (the site's file of that name) is decoded and shown; 0 when it
// is missing or damaged.
int tervanel_set_picture(int window, int control, const char *file, std::size_t fileLength);
void tervanel_set_focus(int window, int control);
void tervanel_set_tool_tip(int window, int control, const char *text, std::size_t length);
// Tells screen readers these words through the page's live region.
void tervanel_announce(const char *words, std::size_t length);
// Scrolls the control to the top of the screen where the window is laid out in one
// column and the control is not wholly in sight; nothing where the window is drawn as
// designed (it stands still on the screen).
void tervanel_bring_into_view(int window, int control);

// Waits until the box is closed.
void tervanel_message_box(const char *prompt, std::size_t promptLength, int style,
                          const char *title, std::size_t titleLength);
void tervanel_beep();
// Calls tervanel_web_idle(services) from the page's loop once the first window is painted.
void tervanel_when_idle(std::uintptr_t services);
// Takes every window off the page and leaves this line in their place.
void tervanel_page_end(const char *line, std::size_t length);

} // extern "C"
