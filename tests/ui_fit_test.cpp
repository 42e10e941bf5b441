// Every text the windows can show fits its label: no line wider than the label, no
// line cut at the bottom, in the fonts the real widgets use, regular and bold.

#include "platform/qt/convert.hpp"
#include "tests/support/ui_test.hpp"

#include "core/reports.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "platform/qt/look.hpp"

#include <QFontMetricsF>

#include <vector>

namespace tervanel::test {
namespace {

using enum forms::Form1Control;

struct Fit {
    bool fits;
    qreal widest;
    int height;
};

// Lays the text out as the labels do and measures it.
Fit layOut(const QString &caption, const QFont &font, QSize box)
{
    const qt::Label::Extent extent = qt::Label::measure(caption, font, box.width());
    return {extent.widestLine <= box.width() && extent.height <= box.height(), extent.widestLine,
            extent.height};
}

void expectFits(const QWidget &label, const QString &caption, bool bold)
{
    QFont font = label.font();
    font.setBold(bold);
    const Fit fit = layOut(caption, font, label.size());
    EXPECT_TRUE(fit.fits) << label.objectName().toStdString() << (bold ? " (bold)" : "") << ": "
                          << fit.widest << " x " << fit.height << " in " << label.width() << " x "
                          << label.height() << " for \"" << caption.toStdString() << "\"";
}

TEST_F(Form1Test, EveryQuestionFitsOnOneLineRegularAndBold)
{
    for (forms::Form1Control question : forms::kQuestionLabels) {
        const qt::Label &l = label(question);
        for (bool bold : {false, true}) {
            expectFits(l, l.caption(), bold);
            QFont font = l.font();
            font.setBold(bold);
            EXPECT_LE(QFontMetricsF(font).horizontalAdvance(l.caption()), l.width()) << "one line";
        }
    }
}

TEST_F(Form1Test, EveryCaptionAndVerdictTextFits)
{
    struct Row {
        forms::Form1Control control;
        QString text;
        bool alsoBold = false; // headings are shown highlighted, in bold
    };
    std::vector<Row> rows{
        {Label14, label(Label14).caption()},
        {Label15, label(Label15).caption()},
        {Label_eldrano, label(Label_eldrano).caption()},
        {Label_dorvik, label(Label_dorvik).caption()},
        {Label_a, qt::toQString(scoreCaption(Score::Venous, 6))},
        {Label_b, qt::toQString(scoreCaption(Score::Locomotor, 3))},
        {Label_c, qt::toQString(scoreCaption(Score::Arterial, 7))},
        {Diagnosi_venosa, qt::toQString(report(Report::Venous))},
        {Diagnosi_arteriosa, qt::toQString(report(Report::Arterial))},
        {Diagnosi_locomotore, qt::toQString(report(Report::Locomotor))},
    };
    // Each heading label shows its headings highlighted, in bold.
    for (forms::Form1Control heading : {Responso, Responso_locomotore, responso_mix})
        for (VerdictStep step : kVerdictOrder)
            rows.push_back({heading, qt::toQString(tervanel::heading(step)), true});
    for (const Row &row : rows) {
        expectFits(widget(row.control), row.text, widget(row.control).font().bold());
        if (row.alsoBold)
            expectFits(widget(row.control), row.text, true);
    }
}

TEST_F(Form1Test, IntroductionTextsFit)
{
    services::Window &splash = form->splash()->window();
    for (forms::SplashControl c :
         {forms::SplashControl::Label1, forms::SplashControl::Label2, forms::SplashControl::Label3})
        expectFits(widgetOf(splash, c), labelOf(splash, c).caption(), false);
}

// The measure itself must be able to fail.
TEST(Fit, OverlongTextIsCaught)
{
    EXPECT_EQ(qt::Label::linePitch(qt::dialogFont()), 13) << "the classic face's line height";
    const QFont font = qt::dialogFont();
    EXPECT_FALSE(layOut(QStringLiteral("sovrabbondantemente"), font, {60, 200}).fits);
    EXPECT_FALSE(layOut(QStringLiteral("parola"), font, {200, 5}).fits);
    EXPECT_FALSE(layOut(QStringLiteral("riga\r\r\r\r\r\r\r\r\r\rfine"), font, {200, 40}).fits);
    EXPECT_TRUE(layOut(QStringLiteral("breve"), font, {200, 20}).fits);
}

} // namespace
} // namespace tervanel::test
