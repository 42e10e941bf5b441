// The colours with more contrast, computed pair by pair over both windows as they can be
// seen: every text against its ground at 4.5:1, the focus mark at 3:1, the hues kept.

#include "forms/introduction/frm_splash_layout.hpp"
#include "forms/questionnaire/form1_layout.hpp"
#include "services/palette.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

namespace tervanel::services {
namespace {

using palette::Scheme;

// The hue of a colour in degrees (0 for greys).
double hueOf(VbColor c)
{
    const double r = c.red(), g = c.green(), b = c.blue();
    const double max = std::max({r, g, b}), min = std::min({r, g, b});
    if (max == min)
        return 0;
    double h = max == r   ? (g - b) / (max - min)
               : max == g ? 2 + (b - r) / (max - min)
                          : 4 + (r - g) / (max - min);
    return std::fmod(h * 60 + 360, 360);
}

// A light dialog grey, as the platforms' standard dialog colours go.
constexpr VbColor kDialogGrey{0x00F0F0F0};

struct Seen {
    std::string what;
    VbColor fore, back;
    double least;
};

// Every text of a window as it can be seen, on its ground: a verdict heading only ever
// highlighted, a label without a ground on the window's, and that on the scheme's.
template <class Name, std::size_t N>
void addTexts(std::vector<Seen> &seen, std::string_view window,
              const std::array<ControlDescription<Name>, N> &table,
              std::optional<VbColor> windowBack, std::span<const Name> headings, Scheme scheme)
{
    for (const ControlDescription<Name> &c : table) {
        if (c.kind != ControlKind::Label && c.kind != ControlKind::QuestionLabel)
            continue;
        const bool heading = std::find(headings.begin(), headings.end(), c.name) != headings.end();
        const VbColor fore = heading ? forms::kHighlightFore : c.fore.value_or(VbColor{0});
        const std::optional<VbColor> back = heading  ? forms::kHighlightBack
                                            : c.back ? c.back
                                                     : windowBack;
        // As designed, a label without a ground stands on the platform's dialog colour.
        const std::optional<VbColor> ground =
            scheme == Scheme::MoreContrast ? palette::ground(back, scheme)
                                           : palette::ground(back, scheme).value_or(kDialogGrey);
        ASSERT_TRUE(ground) << c.id << ": no ground with more contrast";
        const std::string what = std::string(window) + "." + std::string(c.id);
        seen.push_back({what, palette::shown(fore, scheme), *ground, palette::kTextContrast});
        // The keyboard's focus mark is drawn in the question's own text colour.
        if (c.kind == ControlKind::QuestionLabel)
            seen.push_back({what + " focus mark", palette::shown(fore, scheme), *ground,
                            palette::kFocusMarkContrast});
    }
}

std::vector<Seen> seenWith(Scheme scheme)
{
    std::vector<Seen> seen;
    addTexts(seen, "Form1", forms::kForm1Controls, forms::kForm1Background,
             std::span<const forms::Form1Control>(forms::kVerdictHeadings), scheme);
    addTexts(seen, "frmSplash", forms::kSplashControls, std::nullopt,
             std::span<const forms::SplashControl>(), scheme);
    return seen;
}

TEST(Palette, EveryTextReachesItsContrastWithMoreContrast)
{
    const std::vector<Seen> seen = seenWith(Scheme::MoreContrast);
    ASSERT_EQ(seen.size(), 26u + 13u + 3u); // the labels of both windows, and the marks
    for (const Seen &s : seen)
        EXPECT_GE(palette::contrastRatio(s.fore, s.back), s.least)
            << s.what << ": " << std::hex << s.fore.value << " on " << s.back.value;
}

TEST(Palette, TheDesignedColoursStayWhereTheSystemAsksForNothing)
{
    // As designed, some texts fall short (the instruction lines, the scores, the credits):
    // the designed window is kept all the same.
    const std::vector<Seen> designed = seenWith(Scheme::Designed);
    EXPECT_TRUE(std::any_of(designed.begin(), designed.end(), [](const Seen &s) {
        return palette::contrastRatio(s.fore, s.back) < palette::kTextContrast;
    }));
    for (const palette::Replacement &r : palette::kMoreContrast) {
        EXPECT_EQ(palette::shown(r.designed, Scheme::Designed), r.designed);
        EXPECT_EQ(palette::shown(r.designed, Scheme::System), r.designed);
    }
    EXPECT_EQ(palette::ground(std::nullopt, Scheme::Designed), std::nullopt);
}

TEST(Palette, MoreContrastKeepsEachHueAndOnlyDarkens)
{
    for (const palette::Replacement &r : palette::kMoreContrast) {
        SCOPED_TRACE(testing::Message() << std::hex << r.designed.value);
        EXPECT_NEAR(hueOf(r.moreContrast), hueOf(r.designed), 1.0);
        EXPECT_LT(palette::luminance(r.moreContrast), palette::luminance(r.designed));
    }
}

TEST(Palette, ContrastRatiosAsWcagComputesThem)
{
    struct Row {
        VbColor a, b;
        double ratio;
    };
    const Row rows[] = {
        {colors::white, VbColor{0}, 21.0},         {colors::white, colors::white, 1.0},
        {colors::red, colors::white, 4.0},   // #FF0000
        {colors::grey, colors::white, 3.95}, // #808080
        {colors::darkRed, colors::lavender, 3.77},
    };
    for (const Row &row : rows) {
        EXPECT_NEAR(palette::contrastRatio(row.a, row.b), row.ratio, 0.01);
        EXPECT_NEAR(palette::contrastRatio(row.b, row.a), row.ratio, 0.01);
    }
}

} // namespace
} // namespace tervanel::services
