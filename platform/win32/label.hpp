#pragma once

#include "platform/win32/control.hpp"
#include "platform/win32/line_layout.hpp"
#include "services/units.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tervanel::win32 {

// A label of the forms layer: an opaque rectangle of fixed size whose caption starts at
// the top (left or centred), wraps at word boundaries and is cut at the bottom. The
// caption is kept exactly as set, lone CRs included; each CR starts a new line. A label
// with the keyboard focus (a question, from the keyboard alone) shows the focus mark.
class Label final : public Control {
public:
    // Without colours of its own the label takes the system's dialog colours; without a
    // font of its own, the window's.
    Label(Window &window, std::size_t row, const services::ControlRow &description,
          services::FontSetting windowFont, HWND parent, int dpi);

    void setCaption(std::string_view caption);
    // The caption as drawn.
    [[nodiscard]] const std::wstring &caption() const { return m_caption; }
    void setBold(bool bold);
    [[nodiscard]] bool isBold() const { return m_bold; }
    void setForeColor(services::VbColor color);
    void setBackColor(services::VbColor color);

    // The caption laid out in the label's current font and width, and the line pitch.
    [[nodiscard]] std::vector<TextLine> lines() const;
    [[nodiscard]] int linePitch() const;

protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    [[nodiscard]] services::accessibility::Presentation presentation() const override;
    void paint(HDC dc) const;
    [[nodiscard]] HFONT font() const;

    std::string m_text;     // as set, UTF-8
    std::wstring m_caption; // as drawn
    // As set; none: the system's dialog colours. Kept under high contrast too.
    std::optional<COLORREF> m_fore;
    std::optional<COLORREF> m_back;
    double m_points;
    bool m_bold;
    bool m_centred;
};

} // namespace tervanel::win32
