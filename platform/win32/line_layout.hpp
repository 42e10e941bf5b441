#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

// How a label's caption breaks into lines: the labels lay their lines out themselves, as
// Qt's text layout and the page's break them on their own. Captions come as UTF-16.
namespace tervanel::win32 {

// One line of a caption as a label lays it out: where it starts in the caption, how many
// characters it shows, and how wide they are. Blanks at a soft break hang at the end
// of the line and are not counted in its width.
struct TextLine {
    std::size_t start;
    std::size_t length;
    int width;
    constexpr bool operator==(const TextLine &) const = default;
};

// The width of a run of text in pixels, as the label's font draws it.
using MeasureText = std::function<int(std::wstring_view)>;

// Lays a caption out as a label of the forms layer does: every CR ends a line (two in
// a row leave an empty one), and each line is filled with as many whole words as fit
// into the width; a word wider than the label stands alone on its line and is cut by
// the label's edge. Leading blanks of a line after a CR are kept.
[[nodiscard]] std::vector<TextLine> layOutLines(std::wstring_view caption, int width,
                                                const MeasureText &measure);

} // namespace tervanel::win32
