#include "platform/qt/look.hpp"

#include "platform/qt/convert.hpp"
#include "services/failures.hpp"
#include "services/fonts.hpp"
#include "services/runtime.hpp"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QResource>
#include <QString>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleHints>

#include <exception>
#include <stdexcept>
#include <string_view>

#include <fontconfig/fontconfig.h>

namespace tervanel::qt {

void useOnlyBuiltInFonts()
{
    FcConfig *empty = FcConfigCreate();
    FcConfigSetCurrent(empty); // takes its own reference
    FcConfigDestroy(empty);
}

namespace {

void registerFace(std::string_view file)
{
    const QResource resource(QStringLiteral(":/fonts/") + toQString(file));
    // The font files are stored uncompressed: the font database reads them where they
    // lie in the program, without a copy.
    const QByteArray data =
        resource.compressionAlgorithm() == QResource::NoCompression
            ? QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                      static_cast<qsizetype>(resource.size()))
            : resource.uncompressedData();
    if (!resource.isValid() || QFontDatabase::addApplicationFontFromData(data) < 0)
        throw services::OperationFailed(services::Failure::FontMissing, file);
}

} // namespace

void registerBuiltInFonts()
{
    static const bool registered = [] {
        registerFace(services::kRegularFaceFile);
        return true;
    }();
    static_cast<void>(registered);
}

void registerBoldFace()
{
    static const bool registered = [] {
        registerFace(services::kBoldFaceFile);
        return true;
    }();
    static_cast<void>(registered);
}

QFont dialogFont(double points, bool bold)
{
    QFont font(toQString(services::kDialogFace));
    // Sizes are fixed in device-independent pixels, so a screen's dots per inch setting
    // cannot make a text outgrow its label; high-DPI scaling still scales the whole.
    font.setPixelSize(services::fontPixels(points));
    if (bold)
        registerBoldFace();
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    // Full hinting: whole-pixel advances, crisp like the classic dialog face, and the
    // same line breaks whatever hinting the desktop's font configuration asks for.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace tervanel::qt

namespace tervanel::qt {

namespace {

// Registers the regular face just before the first text is drawn: when a window is
// first exposed (the toolkit paints it in answer) or a widget is first painted without
// one (grabbed off screen). Until then the program has no text on screen, and its first
// window comes up without the font stack loaded, as the least program's does.
class FirstText final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        static_cast<void>(watched);
        if (event->type() != QEvent::Expose && event->type() != QEvent::Paint)
            return false;
        QCoreApplication::instance()->removeEventFilter(this);
        deleteLater();
        try {
            registerBuiltInFonts();
        } catch (...) {
            // Reported as a handler's failure is: a box, and the end of the program.
            services::runtime::handle(
                [failure = std::current_exception()] { std::rethrow_exception(failure); });
        }
        return false;
    }
};

} // namespace

void installLook()
{
    QCoreApplication::instance()->installEventFilter(new FirstText(QCoreApplication::instance()));
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Windows"))) {
        QApplication::setStyle(style);
        QApplication::setPalette(style->standardPalette());
    }
    QApplication::setFont(dialogFont());
    // Tab reaches every control that takes the focus from it, the questions included,
    // whatever the platform's theme would say.
    QGuiApplication::styleHints()->setTabFocusBehavior(Qt::TabFocusAllControls);
}

} // namespace tervanel::qt
