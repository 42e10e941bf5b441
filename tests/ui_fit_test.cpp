// Every text the windows can show fits its label: no line wider than the label, no
// line cut at the bottom, in the fonts the real widgets use, regular and bold.

#include "tests/support/ui_test.hpp"
#include "ui/services/text.hpp"

#include "core/reports.hpp"
#include "ui/introduction/frm_splash.hpp"
#include "ui/services/look.hpp"

#include <QFontMetricsF>

#include <vector>

namespace tervanel::test {
namespace {

using enum ui::Form1Control;

struct Fit {
    bool fits;
    qreal widest;
    int height;
};

// Lays the text out as the labels do and measures it.
Fit layOut(const QString &caption, const QFont &font, QSize box)
{
    const ui::Label::Extent extent = ui::Label::measure(caption, font, box.width());
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
    for (ui::Form1Control question : ui::kQuestionLabels) {
        const ui::Label &l = label(question);
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
        ui::Form1Control control;
        QString text;
        bool alsoBold = false; // headings are shown highlighted, in bold
    };
    std::vector<Row> rows{
        {Label14, label(Label14).caption()},
        {Label15, label(Label15).caption()},
        {Label_eldrano, label(Label_eldrano).caption()},
        {Label_dorvik, label(Label_dorvik).caption()},
        {Label_a, ui::toQString(scoreCaption(Score::Venous, 6))},
        {Label_b, ui::toQString(scoreCaption(Score::Locomotor, 3))},
        {Label_c, ui::toQString(scoreCaption(Score::Arterial, 7))},
        {Diagnosi_venosa, ui::toQString(report(Report::Venous))},
        {Diagnosi_arteriosa, ui::toQString(report(Report::Arterial))},
        {Diagnosi_locomotore, ui::toQString(report(Report::Locomotor))},
    };
    // Each heading label shows its headings highlighted, in bold.
    for (ui::Form1Control heading : {Responso, Responso_locomotore, responso_mix})
        for (VerdictStep step : kVerdictOrder)
            rows.push_back({heading, ui::toQString(tervanel::heading(step)), true});
    for (const Row &row : rows) {
        expectFits(widget(row.control), row.text, widget(row.control).font().bold());
        if (row.alsoBold)
            expectFits(widget(row.control), row.text, true);
    }
}

TEST_F(Form1Test, IntroductionTextsFit)
{
    const ui::FrmSplash &splash = *form->splash();
    for (ui::SplashControl c :
         {ui::SplashControl::Label1, ui::SplashControl::Label2, ui::SplashControl::Label3})
        expectFits(splash.controls().widget(c), splash.controls().label(c).caption(), false);
}

// The measure itself must be able to fail.
TEST(Fit, OverlongTextIsCaught)
{
    EXPECT_EQ(ui::Label::linePitch(ui::dialogFont()), 13) << "the classic face's line height";
    const QFont font = ui::dialogFont();
    EXPECT_FALSE(layOut(QStringLiteral("sovrabbondantemente"), font, {60, 200}).fits);
    EXPECT_FALSE(layOut(QStringLiteral("parola"), font, {200, 5}).fits);
    EXPECT_FALSE(layOut(QStringLiteral("riga\r\r\r\r\r\r\r\r\r\rfine"), font, {200, 40}).fits);
    EXPECT_TRUE(layOut(QStringLiteral("breve"), font, {200, 20}).fits);
}

} // namespace
} // namespace tervanel::test
