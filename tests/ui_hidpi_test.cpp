// The windows at a high-DPI scale factor (run with QT_SCALE_FACTOR set): they scale
// as a whole, every text still fits its label, and the pictures are drawn at their
// place and size.

#include "tests/support/ui_test.hpp"

#include "core/reports.hpp"
#include "forms/introduction/frm_splash.hpp"

#include <QPainter>

#include <cmath>

namespace tervanel::test {
namespace {

using enum forms::Form1Control;

double scaleFactor()
{
    bool ok = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? factor : 1.0;
}

// How far apart two pictures of the same size are: the mean difference per channel.
double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                   + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// The picture as the screen shows it, against the picture file scaled to the size it
// must have there.
void expectDrawnAtSize(QWidget &window, QRect where, const QImage &picture)
{
    const QImage shown = window.grab(where).toImage().convertToFormat(QImage::Format_RGB32);
    const QSize expected = (QSizeF(where.size()) * scaleFactor()).toSize();
    ASSERT_EQ(shown.size(), expected);
    const QImage wanted = picture.scaled(expected, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);
    EXPECT_LT(meanDifference(shown, wanted), 10.0) << window.objectName().toStdString();
    // Against the picture shifted by a tenth of its width: clearly different.
    const QImage shifted = wanted.copy(wanted.width() / 10, 0, wanted.width(), wanted.height());
    EXPECT_GT(meanDifference(shown, shifted), 10.0) << "the comparison must be able to fail";
}

TEST_F(Form1Test, WindowsScaleAsAWhole)
{
    dismissIntroduction();
    const double factor = scaleFactor();
    EXPECT_DOUBLE_EQ(windowWidget().devicePixelRatioF(), factor);
    EXPECT_EQ(windowWidget().size(), QSize(701, 513)) << "sizes stay in device-independent pixels";
    const QPixmap shot = windowWidget().grab();
    EXPECT_EQ(shot.size(), (QSizeF(701, 513) * factor).toSize());
    EXPECT_EQ(widget(Label13).geometry(), toQRect(screen::questionRow(13)));
}

TEST_F(Form1Test, PicturesAreDrawnAtTheirPlaceAndSize)
{
    const qt::Window &splash = qt::qtWindow(harness::platformOf(form->splash()->window()));
    const qt::Picture &portrait = splash.picture(services::rowOf(forms::SplashControl::Image1));
    expectDrawnAtSize(splash.widget(),
                      portrait.geometry().translated(
                          splash.widget(services::rowOf(forms::SplashControl::Frame1)).pos()),
                      portrait.picture());

    dismissIntroduction();
    click(widget(Label1));
    click(widget(Command1));
    const qt::Picture &banner = picture(Picture1);
    expectDrawnAtSize(windowWidget(), banner.contentsRect().translated(banner.pos()),
                      banner.picture());
}

// The longest texts, laid out by the labels at this scale, and drawn: the last line
// of the venous report still shows inside its label.
TEST_F(Form1Test, TextsStillFit)
{
    dismissIntroduction();
    for (forms::Form1Control q : forms::kQuestionLabels) {
        QFont bold = label(q).font();
        bold.setBold(true);
        const auto extent = qt::Label::measure(label(q).caption(), bold, label(q).width());
        EXPECT_LE(extent.widestLine, label(q).width());
        EXPECT_LE(extent.height, label(q).height());
    }
    const QString venous = QString::fromUtf8(report(Report::Venous).data());
    const auto extent =
        qt::Label::measure(venous, label(Diagnosi_venosa).font(), label(Diagnosi_venosa).width());
    EXPECT_LE(extent.height, label(Diagnosi_venosa).height());

    click(widget(Label1));
    click(widget(Command1));
    // The band of the last line, "Consultare uno specialista", holds dark red text.
    const QRect lastLine(0, 15 * 13, 120, 13);
    const QImage band = widget(Diagnosi_venosa).grab(lastLine).toImage();
    int textPixels = 0;
    for (int y = 0; y < band.height(); ++y)
        for (int x = 0; x < band.width(); ++x)
            textPixels += qRed(band.pixel(x, y)) > qBlue(band.pixel(x, y)) + 40 ? 1 : 0;
    EXPECT_GT(textPixels, 20) << "the last line of the venous report is not drawn";
}

} // namespace
} // namespace tervanel::test
