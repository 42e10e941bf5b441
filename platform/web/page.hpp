#pragma once

#include <cstddef>
#include <cstdint>

// Where the program meets the page, both ways. The page's side is JavaScript linked into
// the program's script, one file for each part, named as the other platforms name theirs:
// the windows (window.js), the controls (control.js, label.js, button.js, picture.js),
// what screen readers are given (accessibility.js), the colours (colors.js), the face
// (look.js), what crosses in the page's terms (convert.js), and the rest of the window
// services (services.js).
//
// Windows are numbered by the page; controls by their row. Texts cross as UTF-8 bytes
// with their length. Colours are 0x00BBGGRR, or -1 for none; each comes with the colour
// shown in its place with more contrast (services/palette.hpp). A row is -1 for none. The
// program's enums cross as their numbers, which the page knows by name only: it is handed
// the names at start (names.hpp).
extern "C" {

// What the page is told once, first, as a JSON object: the program's enums by name
// ("enums", names.hpp) and the files of every picture ("pictures"), which the page fetches
// once its first window is painted.
void tervanel_page_start(const char *json, std::size_t length);

// `window` is the program's Window, which the page hands back with each user's input.
int tervanel_window_create(std::uintptr_t window, const char *id, std::size_t idLength,
                           const char *caption, std::size_t captionLength, const char *name,
                           std::size_t nameLength, int role, int centred, int width, int height,
                           int back, int moreContrastBack, int fontPixels, int linePitch, int bold);
// A control's font, where it has one of its own (fontPixels > 0), is its size and the
// distance between its lines in pixels (services/fonts.hpp).
void tervanel_control_add(int window, const char *id, std::size_t idLength, int kind,
                          const char *text, std::size_t textLength, int x, int y, int width,
                          int height, int back, int fore, int moreContrastBack,
                          int moreContrastFore, int fontPixels, int linePitch, int bold,
                          int centred, int parent);
// Puts the controls into the page in this order, the order screen readers read them in.
void tervanel_controls_order(int window, const int *rows, std::size_t count);
// What a screen reader is given for a control (accessibility::Presentation): its role,
// its name (the page uses it where the name is not what the control shows), whether it
// is checked (-1: not checkable), whether it takes the focus, and the actions it offers,
// in words (a page has no other way to list them).
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
void tervanel_set_focus(int window, int control);
void tervanel_set_tool_tip(int window, int control, const char *text, std::size_t length);
// Tells screen readers these words through the page's live region.
void tervanel_announce(const char *words, std::size_t length);
// Scrolls the control to the top of the screen where the window is laid out in one
// column and the control is not wholly in sight; nothing where the window is drawn as
// designed (it stands still on the screen).
void tervanel_bring_into_view(int window, int control);

// The two the program waits for, without blocking the page (Asyncify: the build lists
// every tervanel_await_* as a function that suspends the program).
// Until the picture (the site's file of that name) is decoded and shown; 0 when it is
// missing or damaged.
int tervanel_await_picture(int window, int control, const char *file, std::size_t fileLength);
// Until the box is closed.
void tervanel_await_message_box(const char *prompt, std::size_t promptLength, int style,
                                const char *title, std::size_t titleLength);

void tervanel_beep();
// Calls tervanel_web_idle(services) from the page's loop once the first window is painted.
void tervanel_when_idle(std::uintptr_t services);
// Takes every window off the page and leaves this line in their place.
void tervanel_page_end(const char *line, std::size_t length);

// The page calls these in the program, one event at a time (window.cpp, services.cpp).
// Each is marked EMSCRIPTEN_KEEPALIVE where it is defined, which is what exports it to
// the page; the page's scripts name each they call among their dependencies, so that
// the link fails where one is missing. `window` is the Window the page was given at its
// creation; `focused` a control's row, or -1 for none.
void tervanel_web_gesture(std::uintptr_t window, int control, int gesture);
int tervanel_web_gesture_delivers(std::uintptr_t window, int control, int gesture);
int tervanel_web_key_effect(std::uintptr_t window, int key, int producesCharacter, int autoRepeat,
                            int otherModifiers, int focused);
void tervanel_web_key_press(std::uintptr_t window, int character);
void tervanel_web_toggle_answer(std::uintptr_t window, int control);
int tervanel_web_default_button(std::uintptr_t window);
int tervanel_web_next_focus(std::uintptr_t window, int focused, int backwards);
void tervanel_web_idle(std::uintptr_t services);

} // extern "C"
