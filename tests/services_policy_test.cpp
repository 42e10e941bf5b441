// What the program decides once for every platform: what a screen reader is told, what
// the gestures and keys deliver, and the words of its failures. No toolkit here.

#include "services/accessibility.hpp"
#include "services/failures.hpp"
#include "services/gestures.hpp"
#include "services/runtime.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace tervanel::services {
namespace {

namespace a11y = accessibility;
using gestures::Event;
using gestures::Gesture;
using Kind = ControlKind;

std::vector<Event> eventsOf(std::span<const Event> events)
{
    return {events.begin(), events.end()};
}

// A window 200 pixels wide: a question and two labels on the left, one
// label on the right; a frame at (100, 0) holding a label 10 pixels in.
const std::array<ControlRow, 6> kRows{{
    {"Q", Kind::QuestionLabel, "Domanda\runo", {0, 40, 90, 10}, {}, {}, {}, Align::Left, 0, {}},
    {"Low", Kind::Label, "sotto", {0, 60, 90, 10}, {}, {}, {}, Align::Left, 1, {}},
    {"High", Kind::Label, "sopra", {50, 20, 40, 10}, {}, {}, {}, Align::Left, 2, {}},
    {"Frame", Kind::Frame, {}, {100, 0, 100, 100}, {}, {}, {}, Align::Left, {}, {}},
    {"Right", Kind::Label, "destra", {10, 5, 80, 10}, {}, {}, {}, Align::Left, {}, 3},
    {"Button", Kind::PushButton, "   OK   ", {0, 80, 40, 15}, {}, {}, {}, Align::Left, 4, {}},
}};

TEST(Notice, SaysWhatAHandlerChangedInReadingOrder)
{
    struct Row {
        const char *what;
        std::function<void(a11y::Notice &)> change;
        std::string words;
    };
    const Row rows[] = {
        {"nothing", [](a11y::Notice &) {}, ""},
        {"a caption, even the same", [](a11y::Notice &n) { n.captionSet(1, "sotto"); }, "sotto"},
        {"left column top down, then the right half",
         [](a11y::Notice &n) {
             n.captionSet(4, "destra");
             n.captionSet(1, "uno");
             n.captionSet(2, "due");
         },
         "due\nuno\ndestra"},
        {"line breaks as new lines", [](a11y::Notice &n) { n.captionSet(2, "a\rb"); }, "a\nb"},
        {"an empty caption says nothing", [](a11y::Notice &n) { n.captionSet(1, ""); }, ""},
        {"hidden labels say nothing",
         [](a11y::Notice &n) {
             n.captionSet(1, "x");
             n.visibilitySet(1, false);
         },
         ""},
        {"a label that appears is read",
         [](a11y::Notice &n) {
             n.visibilitySet(2, false);
             static_cast<void>(n.take());
             n.visibilitySet(2, true);
         },
         "sopra"},
        {"a label shown again while shown is not",
         [](a11y::Notice &n) { n.visibilitySet(2, true); }, ""},
        {"a question with its state", [](a11y::Notice &n) { n.answerSet(0, true); },
         "spuntata Domanda\nuno"},
        {"a question set to no, even unchanged", [](a11y::Notice &n) { n.answerSet(0, false); },
         "non spuntata Domanda\nuno"},
        {"each label once, as it stands at the end",
         [](a11y::Notice &n) {
             n.captionSet(2, "prima");
             n.captionSet(2, "dopo");
         },
         "dopo"},
        {"buttons and frames are not read",
         [](a11y::Notice &n) {
             n.captionSet(5, "Via");
             n.visibilitySet(3, false);
             n.visibilitySet(3, true);
         },
         ""},
    };
    for (const Row &row : rows) {
        a11y::Notice notice(kRows, 200);
        row.change(notice);
        EXPECT_EQ(notice.take(), row.words) << row.what;
        EXPECT_EQ(notice.take(), "") << row.what << ": said once";
    }
}

// The whole window in reading order: the left half by rows (a frame's children placed
// from the frame), then the right half.
TEST(Notice, ReadingOrderOfAWholeWindow)
{
    EXPECT_EQ(a11y::readingOrder(kRows, 200), (std::vector<std::size_t>{2, 0, 1, 5, 3, 4}));
    EXPECT_EQ(a11y::readingOrder(kRows, 60), (std::vector<std::size_t>{0, 1, 5, 3, 4, 2}))
        << "a narrower window moves what stands right of its middle to the right half";
}

TEST(Presentation, EachKindAsAScreenReaderGetsIt)
{
    struct Row {
        Kind kind;
        a11y::Shown shown;
        a11y::Presentation expected;
        std::size_t actions;
    };
    const Row rows[] = {
        {Kind::QuestionLabel,
         {"D\r1", {}, true, true},
         {a11y::Role::CheckBox, "D\n1", true, true, true},
         2},
        {Kind::QuestionLabel,
         {"D", {}, false, false},
         {a11y::Role::CheckBox, "D", true, false, true},
         2},
        {Kind::Label, {"Testo", {}, true, false}, {a11y::Role::StaticText, "Testo"}, 0},
        {Kind::Label, {"Diagnosi_venosa", {}, false, false}, {a11y::Role::StaticText, ""}, 0},
        {Kind::PushButton,
         {"   OK   ", {}, true, false},
         {a11y::Role::PushButton, "   OK   ", false, false, true},
         1},
        {Kind::PictureBox,
         {{}, "Banner", true, false},
         {a11y::Role::Graphic, "Banner", false, false, true},
         0},
        {Kind::Image, {{}, "Rilievo", true, false}, {a11y::Role::Graphic, "Rilievo"}, 0},
        {Kind::Frame, {{}, "Introduzione", true, false}, {a11y::Role::Grouping, "Introduzione"}, 0},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(a11y::present(row.kind, row.shown), row.expected) << row.expected.name;
        EXPECT_EQ(a11y::actionsOf(row.kind).size(), row.actions) << row.expected.name;
    }
    EXPECT_EQ(a11y::wordsOf(a11y::Action::AnswerYes).name, "Rispondi sì");
    EXPECT_EQ(a11y::wordsOf(a11y::Action::TakeBack).name, "Togli la risposta");
    EXPECT_EQ(a11y::roleOf(WindowFrame::Main), a11y::Role::Frame);
    EXPECT_EQ(a11y::roleOf(WindowFrame::Dialog), a11y::Role::Dialog);
}

TEST(Gestures, DeliverTheEventsOfTheMouseAndOfScreenReaders)
{
    const std::vector<Event> none, click{Event::Click}, dbl{Event::DoubleClick},
        takeBack{Event::Click, Event::DoubleClick};
    struct Row {
        Gesture gesture;
        Kind kind;
        bool screenReader;
        std::vector<Event> events;
    };
    const Row rows[] = {
        {Gesture::Click, Kind::QuestionLabel, false, click},
        {Gesture::Click, Kind::Frame, false, click},
        {Gesture::DoubleClick, Kind::QuestionLabel, false, dbl},
        {Gesture::DoubleClick, Kind::Label, false, dbl},
        {Gesture::DoubleClick, Kind::PushButton, false, click},
        {Gesture::DoubleClick, Kind::Image, false, none},
        {Gesture::RightClick, Kind::QuestionLabel, false, none},
        {Gesture::RightClick, Kind::QuestionLabel, true, takeBack},
        {Gesture::RightClick, Kind::Label, true, none},
    };
    for (const Row &row : rows)
        EXPECT_EQ(eventsOf(gestures::eventsOf(row.gesture, row.kind, row.screenReader)), row.events)
            << static_cast<int>(row.gesture) << " on " << static_cast<int>(row.kind);
    EXPECT_EQ(eventsOf(gestures::eventsOf(a11y::Action::AnswerYes)), click);
    EXPECT_EQ(eventsOf(gestures::eventsOf(a11y::Action::TakeBack)), takeBack);
    EXPECT_EQ(eventsOf(gestures::eventsOf(a11y::Action::Press)), click);
}

// Where a platform offers only a control's first action, the others are told with the
// gesture that does them while a screen reader runs, and that gesture does them.
TEST(Gestures, TheOtherActionsAreToldWithTheGestureThatDoesThem)
{
    const struct {
        Kind kind;
        std::string help;
    } rows[] = {
        {Kind::QuestionLabel, "Togli la risposta: clic destro"},
        {Kind::PushButton, ""},
        {Kind::Label, ""},
        {Kind::PictureBox, ""},
    };
    for (const auto &row : rows)
        EXPECT_EQ(a11y::otherActionsHelp(row.kind), row.help) << static_cast<int>(row.kind);
    for (const Kind kind : {Kind::QuestionLabel, Kind::PushButton}) {
        for (const a11y::Action action : a11y::actionsOf(kind)) {
            if (a11y::wordsOf(action).gesture == "clic destro") {
                EXPECT_EQ(eventsOf(gestures::eventsOf(Gesture::RightClick, kind, true)),
                          eventsOf(gestures::eventsOf(action)));
            }
        }
    }
}

TEST(Keys, DoWhatTheDesktopDoes)
{
    using gestures::Key;
    using gestures::KeyEffect;
    constexpr std::optional<Kind> kButton = Kind::PushButton;
    constexpr std::optional<Kind> kQuestion = Kind::QuestionLabel;
    constexpr std::optional<Kind> kNothing;
    struct Row {
        gestures::KeyPress press;
        bool preview;
        std::optional<Kind> focused;
        KeyEffect effect;
    };
    const Row rows[] = {
        {{Key::Enter, true}, false, kButton, KeyEffect::PressFocused},
        {{Key::KeypadEnter, true}, false, kButton, KeyEffect::PressFocused},
        {{Key::Space, true}, false, kButton, KeyEffect::PressFocused},
        {{Key::Enter, true, true}, false, kButton, KeyEffect::None},        // auto-repeat
        {{Key::Enter, true, false, true}, false, kButton, KeyEffect::None}, // Ctrl+Enter
        {{Key::Enter, true}, false, kNothing, KeyEffect::None},             // nothing focused
        {{Key::Space, true}, false, Kind::PictureBox, KeyEffect::None},     // the banner
        // On a question Space toggles its answer and Enter presses the first button.
        {{Key::Space, true}, false, kQuestion, KeyEffect::ToggleAnswer},
        {{Key::Space, true, true}, false, kQuestion, KeyEffect::None},        // held down
        {{Key::Space, true, false, true}, false, kQuestion, KeyEffect::None}, // Ctrl+Space
        {{Key::Enter, true}, false, kQuestion, KeyEffect::PressDefault},
        {{Key::KeypadEnter, true}, false, kQuestion, KeyEffect::PressDefault},
        {{Key::Enter, true, true}, false, kQuestion, KeyEffect::None},
        {{Key::Enter, true}, false, Kind::Label, KeyEffect::None},
        {{Key::Tab, true}, false, kQuestion, KeyEffect::FocusNext},
        {{Key::Tab, true}, false, kNothing, KeyEffect::FocusNext},
        {{Key::BackTab, false}, false, kButton, KeyEffect::FocusPrevious},
        {{Key::Enter, true},
         true,
         kButton,
         KeyEffect::Preview}, // key preview takes every character
        {{Key::Space, true}, true, kQuestion, KeyEffect::Preview},
        {{Key::Tab, true}, true, kButton, KeyEffect::Preview},
        {{Key::Other, true}, true, kNothing, KeyEffect::Preview},
        {{Key::Other, false}, true, kNothing, KeyEffect::None}, // an arrow, a function key
    };
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(gestures::effectOf(rows[i].press, rows[i].preview, rows[i].focused),
                  rows[i].effect)
            << "row " << i;
}

TEST(Keys, SpaceOnAQuestionTogglesAsTheScreenReadersActionsDo)
{
    EXPECT_EQ(eventsOf(gestures::toggleEvents(false)),
              eventsOf(gestures::eventsOf(a11y::Action::AnswerYes)));
    EXPECT_EQ(eventsOf(gestures::toggleEvents(true)),
              eventsOf(gestures::eventsOf(a11y::Action::TakeBack)));
    EXPECT_EQ(eventsOf(gestures::toggleEvents(true)),
              (std::vector<Event>{Event::Click, Event::DoubleClick}));
}

TEST(Keys, TabGoesRoundTheControlsThatCanTakeTheFocus)
{
    // The question and the button, by tab index; Enter on the question presses the button.
    EXPECT_EQ(gestures::tabOrder(kRows), (std::vector<std::size_t>{0, 5}));
    EXPECT_EQ(gestures::defaultButton(kRows), 5u);
    EXPECT_EQ(gestures::defaultButton(std::span(kRows).first(5)), std::nullopt);
    struct Row {
        std::vector<bool> available;
        std::optional<std::size_t> from;
        bool backwards;
        std::optional<std::size_t> to;
    };
    const Row rows[] = {
        {{true, false, true}, 0, false, 2},  // a hidden control is passed over
        {{true, false, true}, 2, false, 0},  // round
        {{true, false, true}, 0, true, 2},   // and back
        {{true, false, true}, 1, false, 2},  // from a control just hidden, on
        {{true, true, true}, {}, false, 0},  // from nowhere: the first
        {{true, true, true}, {}, true, 2},   // or the last
        {{false, true, false}, 1, false, 1}, // the only one stays
        {{false, false}, 0, false, {}},      // none can take it
        {{}, {}, false, {}},
    };
    for (const Row &row : rows) {
        const std::unique_ptr<bool[]> flags(new bool[row.available.size() + 1]);
        for (std::size_t i = 0; i < row.available.size(); ++i)
            flags[i] = row.available[i];
        EXPECT_EQ(
            gestures::nextInTabOrder({flags.get(), row.available.size()}, row.from, row.backwards),
            row.to);
    }
}

TEST(Failures, AreToldInItalian)
{
    EXPECT_EQ(failureText(Failure::PictureMissing, "banner.gif"),
              "l'immagine banner.gif manca o è danneggiata");
    EXPECT_EQ(failurePrompt("x"), "Errore di esecuzione:\rx");
    EXPECT_EQ(failurePrompt({}), "Errore di esecuzione.");
    const OperationFailed failure(Failure::WrongControlKind, "Command1");
    EXPECT_EQ(failure.failure(), Failure::WrongControlKind);
    EXPECT_NE(std::string(failure.what()).find("Command1"), std::string::npos);
    runtime::uninstall();
    EXPECT_THROW(static_cast<void>(runtime::services()), OperationFailed);
}

} // namespace
} // namespace tervanel::services
