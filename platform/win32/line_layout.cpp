#include "platform/win32/line_layout.hpp"

namespace tervanel::win32 {

namespace {

bool isBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

// Lays out one paragraph (the text between two CRs), starting at `offset` in the caption.
void layOutParagraph(std::wstring_view paragraph, std::size_t offset, int width,
                     const MeasureText &measure, std::vector<TextLine> &lines)
{
    if (paragraph.empty()) {
        lines.push_back({offset, 0, 0});
        return;
    }
    std::size_t pos = 0;
    while (pos < paragraph.size()) {
        // Grow the line word by word while it fits; the first word always goes in.
        std::size_t end = pos;
        int lineWidth = 0;
        for (std::size_t scan = pos; scan < paragraph.size();) {
            while (scan < paragraph.size() && isBlank(paragraph[scan]))
                ++scan;
            if (scan == paragraph.size() && end != pos)
                break; // only blanks are left: they hang at the end
            while (scan < paragraph.size() && !isBlank(paragraph[scan]))
                ++scan;
            const int candidate = measure(paragraph.substr(pos, scan - pos));
            if (end != pos && candidate > width)
                break;
            end = scan;
            lineWidth = candidate;
            if (candidate > width)
                break; // a word too wide for the label: alone on its line
        }
        std::size_t next = end;
        while (next < paragraph.size() && isBlank(paragraph[next]))
            ++next; // the blanks at a break hang at the end of the line
        lines.push_back({offset + pos, next - pos, lineWidth});
        pos = next;
    }
}

} // namespace

std::vector<TextLine> layOutLines(std::wstring_view caption, int width, const MeasureText &measure)
{
    std::vector<TextLine> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t cr = caption.find(L'\r', start);
        const std::size_t stop = cr == std::wstring_view::npos ? caption.size() : cr;
        layOutParagraph(caption.substr(start, stop - start), start, width, measure, lines);
        if (cr == std::wstring_view::npos)
            break;
        start = cr + 1;
        if (start < caption.size() && caption[start] == L'\n')
            ++start; // a CR LF pair is one break
    }
    return lines;
}

} // namespace tervanel::win32
