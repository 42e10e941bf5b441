// Writes what the browser tests expect of the web page, taken from the program's own
// tables and from the Linux build, so that nothing is typed twice:
// - both windows as their tables describe them, with the texts their loads set;
// - every text a label can show, broken into lines as the Linux build lays it out;
// - the 18 verdict sheets (no answer, each question alone, and the worked examples of
//   two or more answers) with what a press must leave on the window, from the same
//   model the X11 and widget tests hold, and the words screen readers are told after
//   each press, from the program's own accessibility on recording window services;
// - the texts and titles of the message boxes;
// - the colours each control and window is shown in with more contrast, and the verdict
//   headings' highlight, from the program's palette;
// - the program's enums by the names the page is handed (a control's kind by its name).
//
//     tervanel_web_expectations OUTPUT.json

#include "core/identity.hpp"
#include "core/questions.hpp"
#include "core/reports.hpp"
#include "core/scoring.hpp"
#include "forms/introduction/frm_splash.hpp"
#include "forms/questionnaire/form1.hpp"
#include "harness/harness.hpp"
#include "harness/recording_services.hpp"
#include "platform/qt/convert.hpp"
#include "platform/qt/label.hpp"
#include "platform/qt/look.hpp"
#include "platform/qt/services.hpp"
#include "platform/web/names.hpp"
#include "services/palette.hpp"
#include "services/runtime.hpp"
#include "tests/support/verdict_model.hpp"

#include <QApplication>
#include <QTextLayout>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tervanel;

std::string jsonText(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

std::string colour(const std::optional<services::VbColor> &c)
{
    if (!c)
        return "null";
    char rgb[32];
    std::snprintf(rgb, sizeof rgb, "\"rgb(%d, %d, %d)\"", c->red(), c->green(), c->blue());
    return rgb;
}

std::optional<services::VbColor> moreContrast(const std::optional<services::VbColor> &c)
{
    return c ? std::optional(services::palette::shown(*c, services::palette::Scheme::MoreContrast))
             : std::nullopt;
}

template <class List, class Write> std::string list(const List &items, Write write)
{
    std::string out = "[";
    bool first = true;
    for (const auto &item : items) {
        out += (first ? "" : ", ") + write(item);
        first = false;
    }
    return out + "]";
}

// The text's lines as a label of the Linux build lays them out: each CR a line break,
// words wrapped to the width. Each line as the characters it holds (UTF-16 offsets).
std::vector<int> lineStarts(std::string_view text, const services::FontSetting &font, int width)
{
    QString shown = qt::toQString(text);
    shown.replace(QLatin1Char('\r'), QChar::LineSeparator);
    QTextLayout layout(shown, qt::dialogFont(font.points, font.bold));
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    std::vector<int> starts;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        starts.push_back(line.textStart());
    }
    layout.endLayout();
    return starts;
}

struct Texts {
    std::map<std::string_view, std::vector<std::string>> byControl;
    void add(std::string_view control, std::string_view text)
    {
        byControl[control].emplace_back(text);
    }
};

// A window as its description gives it, each label with the lines of every text it can
// show: in regular type and, for the labels that an answer or a verdict turns bold, in
// bold as well.
std::string window(const services::WindowDescription &d, services::FontSetting windowFont,
                   const std::map<std::string_view, std::string> &textAfterLoad,
                   const std::vector<std::string_view> &hiddenAfterLoad, const Texts &texts,
                   const std::vector<std::string_view> &turnBold)
{
    std::ostringstream out;
    out << "{\"id\": " << jsonText(d.id) << ", \"caption\": " << jsonText(d.caption)
        << ", \"spokenName\": " << jsonText(d.spokenName)
        << ", \"width\": " << services::pixels(d.width)
        << ", \"height\": " << services::pixels(d.height) << ", \"back\": " << colour(d.back)
        << ", \"moreContrastBack\": "
        << colour(services::palette::ground(d.back, services::palette::Scheme::MoreContrast))
        << ", \"controls\": [\n";
    for (std::size_t i = 0; i < d.controls.size(); ++i) {
        const services::ControlRow &row = d.controls[i];
        const services::FontSetting font = row.font.value_or(windowFont);
        const auto text = textAfterLoad.find(row.id);
        const std::string_view shown = text != textAfterLoad.end() ? text->second : row.text;
        const bool hidden = std::find(hiddenAfterLoad.begin(), hiddenAfterLoad.end(), row.id)
                            != hiddenAfterLoad.end();
        out << "  {\"id\": " << jsonText(row.id)
            << ", \"kind\": " << jsonText(web::nameOf(row.kind))
            << ", \"text\": " << jsonText(shown) << ", \"x\": " << row.geometry.x
            << ", \"y\": " << row.geometry.y << ", \"width\": " << row.geometry.width
            << ", \"height\": " << row.geometry.height << ", \"back\": " << colour(row.back)
            << ", \"fore\": " << colour(row.fore)
            << ", \"moreContrastBack\": " << colour(moreContrast(row.back))
            << ", \"moreContrastFore\": " << colour(moreContrast(row.fore))
            << ", \"fontPx\": " << static_cast<int>(std::lround(font.points * 96.0 / 72.0))
            << ", \"bold\": " << (font.bold ? "true" : "false")
            << ", \"centred\": " << (row.align == services::Align::Centre ? "true" : "false")
            << ", \"tabIndex\": " << (row.tabIndex ? std::to_string(*row.tabIndex) : "null")
            << ", \"parent\": " << (row.parent ? jsonText(d.controls[*row.parent].id) : "null")
            << ", \"visibleAfterLoad\": " << (hidden ? "false" : "true") << ", \"lines\": [";
        std::vector<std::string> all{std::string(shown)};
        if (const auto more = texts.byControl.find(row.id); more != texts.byControl.end())
            all.insert(all.end(), more->second.begin(), more->second.end());
        const bool label = row.kind == services::ControlKind::Label
                           || row.kind == services::ControlKind::QuestionLabel;
        const bool canTurnBold =
            std::find(turnBold.begin(), turnBold.end(), row.id) != turnBold.end();
        bool first = true;
        for (const std::string &t : all) {
            // Regular and bold: an answer and a verdict's highlight make a label bold.
            for (const bool bold : {false, true}) {
                if (t.empty() || !label || (font.bold && !bold)
                    || (bold && !font.bold && !canTurnBold))
                    continue;
                out << (first ? "" : ", ") << "{\"text\": " << jsonText(t)
                    << ", \"bold\": " << (bold ? "true" : "false") << ", \"starts\": "
                    << list(lineStarts(t, {font.points, bold}, row.geometry.width),
                            [](int s) { return std::to_string(s); })
                    << "}";
                first = false;
            }
        }
        out << "]}" << (i + 1 < d.controls.size() ? ",\n" : "\n");
    }
    out << "]}";
    return out.str();
}

// The verdict sheets the browser tests press: no answer, each question alone, and the
// worked examples with more than one answer.
std::vector<std::vector<int>> verdictSheets()
{
    std::vector<std::vector<int>> sheets{{}};
    for (int n = 1; n <= kQuestionCount; ++n)
        sheets.push_back({n});
    for (std::initializer_list<int> yes : {std::initializer_list<int>{1, 3},
                                           {1, 2},
                                           {1, 2, 5},
                                           {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}})
        sheets.emplace_back(yes);
    return sheets;
}

// What screen readers are told after each press of the sheets in turn, from a fresh
// questionnaire past its introduction: the answers set as the browser tests set them
// (each question from 1 to 13 taken back or answered as the sheet wants), then the press.
std::vector<std::vector<std::string>>
announcedAfterPresses(const std::vector<std::vector<int>> &sheets)
{
    harness::RecordingServices recorder; // no toolkit; put back when it goes
    std::vector<std::vector<std::string>> said;
    {
        forms::Form1 form1;
        recorder.window("frmSplash")
            .events()
            .click(services::rowOf(forms::SplashControl::Command1));
        services::WindowEvents &events = recorder.window("Form1").events();
        for (const std::vector<int> &yes : sheets) {
            for (int n = 1; n <= kQuestionCount; ++n) {
                const std::size_t row = services::rowOf(forms::questionLabel(n));
                const bool bold = recorder.window("Form1").control(row).bold;
                const bool wanted = std::find(yes.begin(), yes.end(), n) != yes.end();
                if (bold && !wanted) {
                    events.click(row); // a double-click: its first press, then itself
                    events.doubleClick(row);
                } else if (!bold && wanted) {
                    events.click(row);
                }
            }
            const std::size_t before = recorder.announcements.size();
            events.click(services::rowOf(forms::Form1Control::Command1));
            std::vector<std::string> words;
            for (std::size_t i = before; i < recorder.announcements.size(); ++i)
                words.push_back(recorder.announcements[i].second);
            said.push_back(words);
        }
    }
    return said;
}

std::string sheet(const std::vector<int> &yes, const std::vector<std::string> &announced)
{
    AnswerSheet answers;
    for (int n : yes)
        answers.set(n, true);
    const test::PressOutcome outcome = test::expectedOutcome(score(answers));
    const auto idOf = [](forms::Form1Control c) {
        return forms::kForm1Controls.at(services::rowOf(c)).id;
    };
    std::ostringstream out;
    out << "{\"yes\": " << list(yes, [](int n) { return std::to_string(n); }) << ", \"visible\": {";
    bool first = true;
    for (const auto &[control, visible] : outcome.visible) {
        out << (first ? "" : ", ") << jsonText(idOf(control)) << ": "
            << (visible ? "true" : "false");
        first = false;
    }
    out << "}, \"captions\": {";
    first = true;
    for (const auto &[control, caption] : outcome.captions) {
        out << (first ? "" : ", ") << jsonText(idOf(control)) << ": "
            << jsonText(caption.toStdString());
        first = false;
    }
    out << "}, \"beeps\": " << outcome.beeps << ", \"boxes\": " << outcome.boxes
        << ", \"announced\": " << list(announced, [](const std::string &w) { return jsonText(w); })
        << "}";
    return out.str();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.json\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string runtimeDir = harness::makePrivateFolder("tervanel-web-");
    qputenv("XDG_RUNTIME_DIR", runtimeDir.c_str());
    harness::quietOffscreenWarnings();
    qt::useOnlyBuiltInFonts();
    QApplication application(argc, argv);
    qt::installLook();
    qt::registerBuiltInFonts(); // the texts are measured with no window painted
    qt::Services platform;
    services::runtime::install(platform);

    // The real windows on the Linux build's services: their loads compose the texts.
    forms::Form1 form1;
    const forms::FrmSplash *splash = form1.splash();
    if (!splash) {
        std::fprintf(stderr, "the introduction did not come up\n");
        return 1;
    }

    Texts texts;
    for (const auto &[control, step] : {std::pair{"Responso", VerdictStep::Venous},
                                        {"Responso", VerdictStep::Locomotor},
                                        {"Responso_locomotore", VerdictStep::NoAnswer},
                                        {"Responso_locomotore", VerdictStep::Locomotor},
                                        {"responso_mix", VerdictStep::Arterial},
                                        {"responso_mix", VerdictStep::Uncertain}})
        texts.add(control, heading(step));
    texts.add("Diagnosi_venosa", report(Report::Venous));
    texts.add("Diagnosi_arteriosa", report(Report::Arterial));
    texts.add("Diagnosi_locomotore", report(Report::Locomotor));
    for (int v = 0; v <= 7; ++v) {
        texts.add("Label_a", scoreCaption(Score::Venous, v));
        texts.add("Label_b", scoreCaption(Score::Locomotor, v));
        texts.add("Label_c", scoreCaption(Score::Arterial, v));
    }

    std::map<std::string_view, std::string> form1Texts;
    for (const Question &q : questions())
        form1Texts[forms::kForm1Controls.at(services::rowOf(forms::questionLabel(q.number))).id] =
            std::string(q.text);
    std::vector<std::string_view> turnBold{"Responso", "Responso_locomotore", "responso_mix"};
    for (forms::Form1Control c : forms::kQuestionLabels)
        turnBold.push_back(forms::kForm1Controls.at(services::rowOf(c)).id);
    std::vector<std::string_view> hidden;
    for (forms::Form1Control c : forms::kResultControls)
        hidden.push_back(forms::kForm1Controls.at(services::rowOf(c)).id);
    const std::string caption = "Tervanel by " + std::string(identity::kWebAddress);
    const services::WindowDescription form1Description{"Form1",
                                                       caption,
                                                       {},
                                                       services::WindowFrame::Main,
                                                       services::Placement::FrameAtScreenTopLeft,
                                                       forms::kForm1Width,
                                                       forms::kForm1Height,
                                                       forms::kForm1Background,
                                                       forms::kForm1Font,
                                                       false,
                                                       forms::kForm1Rows};
    const services::WindowDescription splashDescription{"frmSplash",
                                                        {},
                                                        forms::kSplashDescription,
                                                        services::WindowFrame::Dialog,
                                                        services::Placement::CentredOnScreen,
                                                        forms::kSplashWidth,
                                                        forms::kSplashHeight,
                                                        std::nullopt,
                                                        forms::kSplashFont,
                                                        true,
                                                        forms::kSplashRows};
    const std::map<std::string_view, std::string> splashTexts{
        {"Label1", splash->text1}, {"Label2", splash->text2}, {"Command1", "   OK   "}};

    const std::vector<std::vector<int>> verdicts = verdictSheets();
    const std::vector<std::vector<std::string>> announced = announcedAfterPresses(verdicts);
    std::string sheets;
    for (std::size_t i = 0; i < verdicts.size(); ++i)
        sheets += (i ? ",\n  " : "") + sheet(verdicts[i], announced[i]);
    sheets += "]";

    const Message uncertain = uncertainMessage();
    std::ofstream out(argv[1]);
    out << "{\n\"enums\": " << web::enumsAsJson() << ",\n\"form1\": "
        << window(form1Description, forms::kForm1Font, form1Texts, hidden, texts, turnBold)
        << ",\n\"splash\": "
        << window(splashDescription, forms::kSplashFont, splashTexts, {}, {}, {})
        << ",\n\"highlight\": {\"fore\": " << colour(forms::kHighlightFore)
        << ", \"back\": " << colour(forms::kHighlightBack)
        << ", \"moreContrastFore\": " << colour(moreContrast(forms::kHighlightFore))
        << ", \"moreContrastBack\": " << colour(moreContrast(forms::kHighlightBack)) << "}"
        << ",\n\"questions\": "
        << list(questions(), [](const Question &q) { return jsonText(q.text); })
        << ",\n\"sheets\": [\n  " << sheets << ",\n\"boxes\": {"
        << "\"uncertain\": {\"title\": " << jsonText(uncertain.title)
        << ", \"prompt\": " << jsonText(uncertain.prompt)
        << "}, \"Label_dorvik\": {\"title\": \"Webmaster...\", "
        << "\"prompt\": " << jsonText("Email:  " + std::string(identity::kAuthorEmail))
        << "}, \"Label_eldrano\": {\"title\": \"Dr. Eldrano Vescandi...\", \"prompt\": "
        << jsonText("Email:  " + std::string(identity::kPhysicianEmail)) << "}}\n}\n";
    std::filesystem::remove_all(runtimeDir);
    return out ? 0 : 1;
}
