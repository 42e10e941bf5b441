#pragma once

#include <cstddef>
#include <cstdint>

// The page's side of the window services, written in JavaScript (dom.js) and linked
// into the program. Windows are numbered by the page; controls by their row. Texts
// cross as UTF-8 bytes with their length. Colours are 0x00BBGGRR, or -1 for none.
extern "C" {

int tervanel_window_create(std::uintptr_t events, const char *id, std::size_t idLength,
                           const char *caption, std::size_t captionLength, const char *spokenName,
                           std::size_t spokenNameLength, int frame, int placement, int width,
                           int height, int back, double points, int bold, int keyPreview);
void tervanel_control_add(int window, const char *id, std::size_t idLength, int kind,
                          const char *text, std::size_t textLength, int x, int y, int width,
                          int height, int back, int fore, double points, int bold, int centred,
                          int tabIndex, int parent);
// Puts the controls into the page in this order: the order screen readers read them in
// and, among the controls that take the focus, the order of the Tab key.
void tervanel_controls_order(int window, const int *rows, std::size_t count);

void tervanel_window_show(int window);
void tervanel_window_hide(int window);
void tervanel_window_unload(int window);

void tervanel_set_text(int window, int control, const char *text, std::size_t length);
void tervanel_set_visible(int window, int control, int visible);
int tervanel_bold(int window, int control);
void tervanel_set_bold(int window, int control, int bold);
void tervanel_set_fore_color(int window, int control, int color);
void tervanel_set_back_color(int window, int control, int color);
// Waits until the picture is decoded and shown; 0 when it is missing or damaged.
int tervanel_set_picture(int window, int control, int picture);
int tervanel_has_picture(int window, int control);
void tervanel_set_focus(int window, int control);
void tervanel_set_tool_tip(int window, int control, const char *text, std::size_t length);
void tervanel_set_description(int window, int control, const char *text, std::size_t length);

// Waits until the box is closed.
void tervanel_message_box(const char *prompt, std::size_t promptLength, int style,
                          const char *title, std::size_t titleLength);
void tervanel_beep();
// Takes every window off the page and leaves this line in their place.
void tervanel_page_end(const char *line, std::size_t length);

} // extern "C"
