// The window layer on its own: units, colours, labels and the click order.

#include "tests/support/ui_test.hpp"

#include "forms/introduction/frm_splash_layout.hpp"
#include "forms/questionnaire/form1_layout.hpp"
#include "platform/qt/convert.hpp"
#include "platform/qt/look.hpp"
#include "services/controls.hpp"
#include "services/fonts.hpp"
#include "services/palette.hpp"
#include "services/units.hpp"

#include <QFontMetricsF>
#include <QRawFont>
#include <QResource>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <span>
#include <string_view>
#include <vector>

namespace tervanel::test {
namespace {

TEST(Units, TwipsRoundToTheNearestPixel)
{
    struct Row {
        int twips, pixels;
    };
    for (const Row row : {Row{0, 0}, Row{7, 0}, Row{8, 1}, Row{15, 1}, Row{22, 1}, Row{23, 2},
                          Row{10515, 701}, Row{7695, 513}, Row{2920, 195}})
        EXPECT_EQ(services::pixels(row.twips), row.pixels) << row.twips;
}

// Controls that touch in twips touch on screen, and a 15-twip overlap is one pixel,
// whatever the rounding of their own sizes.
TEST(Units, TouchingRectanglesStillTouch)
{
    for (int left = 0; left < 400; left += 7) {
        for (int width = 15; width < 400; width += 13) {
            const QRect a = qt::toQRect(services::pixelRect(left, 0, width, 255));
            const QRect b = qt::toQRect(services::pixelRect(left + width, 0, 500, 255));
            EXPECT_EQ(a.right() + 1, b.left()) << left << " + " << width;
            const QRect c = qt::toQRect(services::pixelRect(left + width - 15, 0, 500, 255));
            EXPECT_EQ((a & c).width(), 1) << left << " + " << width;
        }
    }
    EXPECT_EQ(services::pixelRect(120, 5280, 2800, 255), (services::PixelRect{8, 352, 187, 17}));
}

TEST(Units, ColoursKeepRedInTheLowByte)
{
    struct Row {
        services::VbColor value;
        QRgb rgb;
    };
    for (const Row row :
         {Row{services::colors::darkRed, 0xC00000}, Row{services::colors::darkBlue, 0x0000C0},
          Row{services::colors::periwinkle, 0x8080FF}, Row{services::colors::lightYellow, 0xFFFF80},
          Row{services::colors::red, 0xFF0000}, Row{services::VbColor{0x00123456}, 0x563412}})
        EXPECT_EQ(qt::toQColor(row.value).rgb(), QColor(row.rgb).rgb())
            << std::hex << row.value.value;
}

TEST(LabelCaption, IsKeptExactlyAndDrawnWithLineBreaks)
{
    qt::Label label(nullptr);
    struct Row {
        QString caption, shown;
    };
    const Row rows[] = {
        {QStringLiteral("uno\rdue"), QStringLiteral("uno\ndue")},
        {QStringLiteral("\r\r"), QStringLiteral("\n\n")},
        {QStringLiteral("   tre  spazi "), QStringLiteral("   tre  spazi ")},
        {QStringLiteral("già più"), QStringLiteral("già più")},
        {QString(), QString()},
    };
    for (const Row &row : rows) {
        label.setCaption(row.caption);
        EXPECT_EQ(label.caption(), row.caption);
        EXPECT_EQ(label.text(), row.shown);
    }
}

TEST(LabelCaption, WrapsAtWordsAndCountsLinesByThePitch)
{
    const QFont font = qt::dialogFont();
    const int pitch = qt::Label::linePitch(font);
    EXPECT_EQ(qt::Label::measure(QStringLiteral("a\r\rb"), font, 200).height, 3 * pitch);
    EXPECT_EQ(qt::Label::measure(QStringLiteral("uno due tre quattro"), font, 1000).height, pitch);
    const auto narrow = qt::Label::measure(QStringLiteral("uno due tre quattro"), font, 30);
    EXPECT_EQ(narrow.height, 4 * pitch) << "one word a line";
    EXPECT_GT(narrow.widestLine, 30) << "a word wider than the label is not broken, and shows it";
    EXPECT_EQ(qt::Label::linePitch(qt::dialogFont(9.75, true)), 15);
}

// Every platform sets a label's lines by the face's metrics as services/fonts.hpp gives
// them: they must be the built-in face's own, in both weights, and at every size the
// windows use they must give the line height Qt itself reads from the face.
TEST(DialogFace, LinesAreSetByTheFacesOwnHeight)
{
    for (const std::string_view file : {services::kRegularFaceFile, services::kBoldFaceFile}) {
        const QResource resource(QStringLiteral(":/fonts/") + qt::toQString(file));
        const QByteArray data(reinterpret_cast<const char *>(resource.data()),
                              static_cast<qsizetype>(resource.size()));
        const QRawFont face(data, services::kFaceEm, QFont::PreferNoHinting);
        ASSERT_TRUE(face.isValid()) << file;
        EXPECT_EQ(face.familyName(), qt::toQString(services::kDialogFace)) << file;
        EXPECT_EQ(face.unitsPerEm(), services::kFaceEm) << file;
        EXPECT_EQ(face.ascent() + face.descent(), services::kFaceHeight) << file;
    }

    std::vector<services::FontSetting> fonts{forms::kForm1Font, forms::kSplashFont};
    for (const auto &rows : {std::span<const services::ControlRow>(forms::kForm1Rows),
                             std::span<const services::ControlRow>(forms::kSplashRows)})
        for (const services::ControlRow &row : rows)
            if (row.font)
                fonts.push_back(*row.font);
    qt::registerBuiltInFonts();
    for (const services::FontSetting &setting : fonts) {
        const QFont font = qt::dialogFont(setting.points, setting.bold);
        EXPECT_EQ(font.pixelSize(), services::fontPixels(setting.points)) << setting.points;
        EXPECT_EQ(qt::Label::linePitch(font),
                  static_cast<int>(std::ceil(QFontMetricsF(font).height())))
            << setting.points << (setting.bold ? " bold" : "");
    }
}

// Press and release inside is a click; the second press of a double-click is a
// double-click, and its release no click.
TEST(LabelClicks, FollowThePlatformsOrder)
{
    qt::Label label(nullptr);
    label.resize(100, 20);
    QSignalSpy clicks(&label, &qt::Label::clicked);
    QSignalSpy doubleClicks(&label, &qt::Label::doubleClicked);
    const QPoint inside(10, 10);
    const QPoint outside(150, 10);

    struct Row {
        const char *what;
        std::function<void()> act;
        int clicks, doubleClicks;
    };
    const Row rows[] = {
        {"click", [&] { QTest::mouseClick(&label, Qt::LeftButton, {}, inside); }, 1, 0},
        {"released outside",
         [&] {
             QTest::mousePress(&label, Qt::LeftButton, {}, inside);
             QTest::mouseRelease(&label, Qt::LeftButton, {}, outside);
         },
         0, 0},
        {"right button", [&] { QTest::mouseClick(&label, Qt::RightButton, {}, inside); }, 0, 0},
        {"double-click",
         [&] {
             QTest::mousePress(&label, Qt::LeftButton, {}, inside);
             QTest::mouseRelease(&label, Qt::LeftButton, {}, inside);
             QTest::mouseDClick(&label, Qt::LeftButton, {}, inside);
             QTest::mouseRelease(&label, Qt::LeftButton, {}, inside);
         },
         1, 1},
    };
    for (const Row &row : rows) {
        clicks.clear();
        doubleClicks.clear();
        row.act();
        EXPECT_EQ(clicks.count(), row.clicks) << row.what;
        EXPECT_EQ(doubleClicks.count(), row.doubleClicks) << row.what;
    }
}

} // namespace
} // namespace tervanel::test
