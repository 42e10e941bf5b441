#include "harness/screen_reader_table.hpp"

#include "core/questions.hpp"
#include "core/reports.hpp"
#include "core/scoring.hpp"

#include <cstdio>

namespace tervanel::harness {

namespace {

namespace a11y = services::accessibility;
using a11y::Action;
using a11y::Role;
using enum Moment;

constexpr bool kExact = false;
constexpr bool kPrefix = true;

const std::vector<Action> kNone;
const std::vector<Action> kPress{Action::Press};
const std::vector<Action> kAnswer{Action::AnswerYes, Action::TakeBack};

ScreenReaderRow row(Moment when, std::string_view window, std::string_view control, Role role,
                    std::string name, bool prefix, const std::vector<Action> &actions = kNone)
{
    return {when, window, control, role, std::move(name), prefix, false, false, actions};
}

ScreenReaderRow question(Moment when, int number, bool checked)
{
    const Question &q = questions()[static_cast<std::size_t>(number - 1)];
    return {when,   "Form1", q.label, Role::CheckBox, std::string(q.text),
            kExact, true,    checked, kAnswer};
}

std::string roleName(Role role)
{
    switch (role) {
    case Role::Frame:
        return "frame";
    case Role::Dialog:
        return "dialog";
    case Role::CheckBox:
        return "checkbox";
    case Role::StaticText:
        return "statictext";
    case Role::PushButton:
        return "pushbutton";
    case Role::Graphic:
        return "graphic";
    case Role::Grouping:
        break;
    }
    return "grouping";
}

std::string momentName(Moment moment)
{
    switch (moment) {
    case Introduction:
        return "introduction";
    case Questionnaire:
        return "questionnaire";
    case AfterVenousPress:
        break;
    }
    return "after-venous-press";
}

std::string actionName(Action action)
{
    switch (action) {
    case Action::AnswerYes:
        return "answer-yes";
    case Action::TakeBack:
        return "take-back";
    case Action::Press:
        break;
    }
    return "press";
}

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c; // UTF-8 passes as it is
        }
    }
    return out + '"';
}

} // namespace

std::vector<ScreenReaderRow> screenReaderTable()
{
    // clang-format off
    std::vector<ScreenReaderRow> table{
//      when              window       control         role              name                                                        match
    row(Introduction,     "frmSplash", "",             Role::Dialog,     "Introduzione a Tervanel",                                  kExact),
    row(Introduction,     "frmSplash", "Frame1",       Role::Grouping,   "Introduzione a Tervanel",                                  kExact),
    row(Introduction,     "frmSplash", "Image1",       Role::Graphic,    "Rilievo antico",                                           kPrefix),
    row(Introduction,     "frmSplash", "Label1",       Role::StaticText, "Capita spesso di avere dei dolori alle gambe",             kPrefix),
    row(Introduction,     "frmSplash", "Label2",       Role::StaticText, "Realizzato da: Dr. Eldrano VESCANDI",                      kExact),
    row(Introduction,     "frmSplash", "Label3",       Role::StaticText, " by Dorvik",                                               kExact),
    row(Introduction,     "frmSplash", "Command1",     Role::PushButton, "   OK   ",                                                 kExact, kPress),
    row(Questionnaire,    "Form1",     "",             Role::Frame,      "Tervanel by ",                                             kPrefix),
    row(Questionnaire,    "Form1",     "Label14",      Role::StaticText, "Clicca sulle DOMANDE per rispondere affermativamente",     kExact),
    row(Questionnaire,    "Form1",     "Label15",      Role::StaticText, "Per correggere doppio click!",                             kExact),
    row(Questionnaire,    "Form1",     "Label_eldrano",Role::StaticText, "   Realizzato dal Dr. Eldrano Vescandi ",                  kExact),
    row(Questionnaire,    "Form1",     "Label_dorvik", Role::StaticText, "by Dorvik",                                                kExact),
    row(Questionnaire,    "Form1",     "Command1",     Role::PushButton, "Responso",                                                 kExact, kPress),
    row(Questionnaire,    "Form1",     "Command2",     Role::PushButton, "Fine",                                                     kExact, kPress),
    // Hidden labels have no name, whatever caption the layout left them.
    row(Questionnaire,    "Form1",     "Responso",     Role::StaticText, "",                                                         kExact),
    row(Questionnaire,    "Form1",     "Label_a",      Role::StaticText, "",                                                         kExact),
    row(Questionnaire,    "Form1",     "Diagnosi_venosa", Role::StaticText, "",                                                      kExact),
    row(AfterVenousPress, "Form1",     "Responso",     Role::StaticText, "Patologia venosa...",                                      kExact),
    row(AfterVenousPress, "Form1",     "Label_a",      Role::StaticText, scoreCaption(Score::Venous, 1),                             kExact),
    row(AfterVenousPress, "Form1",     "Label_b",      Role::StaticText, scoreCaption(Score::Locomotor, 0),                          kExact),
    row(AfterVenousPress, "Form1",     "Label_c",      Role::StaticText, scoreCaption(Score::Arterial, 0),                           kExact),
    row(AfterVenousPress, "Form1",     "Diagnosi_venosa", Role::StaticText, a11y::spokenCaption(report(Report::Venous)),             kExact),
    row(AfterVenousPress, "Form1",     "Diagnosi_arteriosa", Role::StaticText, "",                                                   kExact),
    row(AfterVenousPress, "Form1",     "responso_mix", Role::StaticText, "",                                                         kExact),
    row(AfterVenousPress, "Form1",     "Picture1",     Role::Graphic,    "Banner",                                                   kPrefix),
    };
    // clang-format on
    for (const Question &q : questions())
        table.push_back(question(Questionnaire, q.number, false));
    table.push_back(question(AfterVenousPress, 1, true));
    table.push_back(question(AfterVenousPress, 2, false));
    return table;
}

std::string screenReaderTableJson()
{
    std::string json = "[\n";
    const std::vector<ScreenReaderRow> table = screenReaderTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ScreenReaderRow &r = table[i];
        std::string actions;
        for (const Action action : r.actions) {
            if (!actions.empty())
                actions += ", ";
            actions += "{\"action\": " + quoted(actionName(action))
                       + ", \"name\": " + quoted(a11y::wordsOf(action).name) + "}";
        }
        json += "  {\"when\": " + quoted(momentName(r.when)) + ", \"window\": " + quoted(r.window)
                + ", \"control\": " + quoted(r.control) + ", \"role\": " + quoted(roleName(r.role))
                + ", \"name\": " + quoted(r.name)
                + ", \"match\": " + quoted(r.namePrefix ? "prefix" : "exact")
                + ", \"checkable\": " + (r.checkable ? "true" : "false")
                + ", \"checked\": " + (r.checked ? "true" : "false") + ", \"actions\": [" + actions
                + "]}" + (i + 1 < table.size() ? "," : "") + "\n";
    }
    return json + "]\n";
}

} // namespace tervanel::harness
