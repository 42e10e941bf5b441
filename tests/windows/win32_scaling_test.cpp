// The layouts on screens of other scales, as the Win32 services scale them: every control
// stays where its table puts it relative to the others, at every common scale.

#include "forms/introduction/frm_splash_layout.hpp"
#include "forms/questionnaire/form1_layout.hpp"
#include "platform/win32/scaling.hpp"
#include "services/fonts.hpp"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

namespace tervanel::win32 {
namespace {

using services::ControlRow;
using services::kBaseDpi;
using services::PixelRect;

// Whether two rectangles share at least one pixel, or touch along an edge.
bool overlaps(const PixelRect &a, const PixelRect &b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height
           && b.y < a.y + a.height;
}

bool touches(const PixelRect &a, const PixelRect &b)
{
    const bool sideBySide = (a.x + a.width == b.x || b.x + b.width == a.x) && a.y < b.y + b.height
                            && b.y < a.y + a.height;
    const bool stacked = (a.y + a.height == b.y || b.y + b.height == a.y) && a.x < b.x + b.width
                         && b.x < a.x + a.width;
    return sideBySide || stacked;
}

bool inside(const PixelRect &inner, int width, int height)
{
    return inner.x >= 0 && inner.y >= 0 && inner.x + inner.width <= width
           && inner.y + inner.height <= height;
}

// At every scale the layout stays whole: controls keep their overlaps, touches and
// gaps, and every control stays inside its window.
void expectScalesWhole(std::span<const ControlRow> rows, int twipsWide, int twipsHigh)
{
    for (const int dpi : {96, 120, 144, 168, 192}) {
        SCOPED_TRACE("dpi " + std::to_string(dpi));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const PixelRect a = scaledRect(rows[i].geometry, dpi);
            if (!rows[i].parent) {
                EXPECT_TRUE(inside(a, pixels(twipsWide, dpi), pixels(twipsHigh, dpi)))
                    << rows[i].id;
            }
            EXPECT_GT(a.width, 0) << rows[i].id;
            EXPECT_GT(a.height, 0) << rows[i].id;
            for (std::size_t j = i + 1; j < rows.size(); ++j) {
                if (rows[i].parent != rows[j].parent)
                    continue;
                const PixelRect b = scaledRect(rows[j].geometry, dpi);
                const PixelRect &a0 = rows[i].geometry;
                const PixelRect &b0 = rows[j].geometry;
                EXPECT_EQ(overlaps(a, b), overlaps(a0, b0)) << rows[i].id << " / " << rows[j].id;
                EXPECT_EQ(touches(a, b), touches(a0, b0)) << rows[i].id << " / " << rows[j].id;
            }
        }
    }
}

TEST(Scaling, LayoutsStayWholeAtEveryScale)
{
    expectScalesWhole(forms::kForm1Rows, forms::kForm1Width, forms::kForm1Height);
    expectScalesWhole(forms::kSplashRows, forms::kSplashWidth, forms::kSplashHeight);

    // Rows of odd sizes that touch or overlap by one pixel, as a table may have them.
    std::vector<ControlRow> strip;
    for (int i = 0; i < 24; ++i) {
        ControlRow row{};
        row.id = "strip";
        row.geometry = {1 + 7 * i, 3 + 5 * i - (i % 2), 7 + (i % 3), 5 + (i % 2)};
        strip.push_back(row);
    }
    expectScalesWhole(strip, 15 * 400, 15 * 200);
}

TEST(Scaling, SizesAtTheCommonScales)
{
    struct Case {
        int dpi;
        int clientWidth, clientHeight; // the questionnaire's client area
        int bannerWidth;               // the banner box, border included
        int dialogFont, headingFont;   // 8.25 and 9.75 points
    };
    const std::vector<Case> cases{
        {96, 701, 513, 404, 11, 13},
        {120, 876, 641, 505, 14, 16},
        {144, 1052, 770, 606, 17, 20},
        {192, 1402, 1026, 808, 22, 26},
    };
    const PixelRect banner =
        forms::kForm1Rows[services::rowOf(forms::Form1Control::Picture1)].geometry;
    for (const Case &c : cases) {
        EXPECT_EQ(pixels(forms::kForm1Width, c.dpi), c.clientWidth) << c.dpi;
        EXPECT_EQ(pixels(forms::kForm1Height, c.dpi), c.clientHeight) << c.dpi;
        EXPECT_EQ(scaledRect(banner, c.dpi).width, c.bannerWidth) << c.dpi;
        EXPECT_EQ(services::fontPixels(8.25, c.dpi), c.dialogFont) << c.dpi;
        EXPECT_EQ(services::fontPixels(9.75, c.dpi), c.headingFont) << c.dpi;
    }
    // At 96 dots per inch nothing moves: the rows are the layout, and the twips convert
    // as they do for every platform.
    for (const ControlRow &row : forms::kForm1Rows)
        EXPECT_EQ(scaledRect(row.geometry, kBaseDpi), row.geometry) << row.id;
    for (const int twips : {0, 7, 8, 15, 22, 23, 10515, 7695})
        EXPECT_EQ(pixels(twips, kBaseDpi), services::pixels(twips)) << twips;
}

} // namespace
} // namespace tervanel::win32
