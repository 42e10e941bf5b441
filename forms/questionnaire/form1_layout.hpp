#pragma once

#include "services/control_table.hpp"
#include "services/palette.hpp"
#include "services/units.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tervanel::forms {

// The questionnaire window's controls, in the order of its description.
enum class Form1Control : std::uint8_t {
    Command2,
    Picture1,
    Command1,
    Label_dorvik,
    Diagnosi_locomotore,
    Diagnosi_arteriosa,
    Diagnosi_venosa,
    Label_eldrano,
    responso_mix,
    Label15,
    Label14,
    Responso_locomotore,
    Responso,
    Label_c,
    Label_b,
    Label_a,
    Label13,
    Label12,
    Label11,
    Label10,
    Label9,
    Label8,
    Label7,
    Label6,
    Label5,
    Label4,
    Label3,
    Label2,
    Label1,
};

// The window itself: white, fixed 10515 x 7695 twips (701 x 513 pixels), its frame in
// the top-left corner of the screen.
inline constexpr int kForm1Width = 10515;
inline constexpr int kForm1Height = 7695;
inline constexpr services::VbColor kForm1Background = services::colors::white;
inline constexpr services::FontSetting kForm1Font{8.25, false};

// What a screen reader says for the banner, which has no text of its own.
inline constexpr std::string_view kBannerDescription =
    "Banner di www.dorvik.example: un rilievo in pietra e il motto «Gambe sane, passi leggeri!»";

// The question labels take their texts from the question catalogue.
inline constexpr std::array<Form1Control, 13> kQuestionLabels{
    Form1Control::Label1,  Form1Control::Label2,  Form1Control::Label3,  Form1Control::Label4,
    Form1Control::Label5,  Form1Control::Label6,  Form1Control::Label7,  Form1Control::Label8,
    Form1Control::Label9,  Form1Control::Label10, Form1Control::Label11, Form1Control::Label12,
    Form1Control::Label13,
};

constexpr bool isQuestionLabel(Form1Control control)
{
    for (Form1Control question : kQuestionLabels)
        if (question == control)
            return true;
    return false;
}

// The label of question 1 to 13.
constexpr Form1Control questionLabel(int number)
{
    return kQuestionLabels.at(static_cast<std::size_t>(number - 1));
}

// The ten controls that only an evaluation shows.
inline constexpr std::array<Form1Control, 10> kResultControls{
    Form1Control::Label_a,
    Form1Control::Label_b,
    Form1Control::Label_c,
    Form1Control::Responso,
    Form1Control::Responso_locomotore,
    Form1Control::responso_mix,
    Form1Control::Picture1,
    Form1Control::Diagnosi_venosa,
    Form1Control::Diagnosi_arteriosa,
    Form1Control::Diagnosi_locomotore,
};

// The three heading labels that the verdict steps fill and highlight, and the highlight's
// colours (its weight is bold). Nothing takes the highlight back, so these are shown only
// highlighted: they are hidden until a step highlights them.
inline constexpr std::array<Form1Control, 3> kVerdictHeadings{
    Form1Control::Responso,
    Form1Control::Responso_locomotore,
    Form1Control::responso_mix,
};
inline constexpr services::VbColor kHighlightFore = services::colors::red;
inline constexpr services::VbColor kHighlightBack = services::colors::white;

namespace form1_layout {

using enum Form1Control;
using enum services::ControlKind;
using services::ControlDescription;
using services::FontSetting;
using services::Align::Centre;
using services::Align::Left;
using namespace services::colors;

inline constexpr FontSetting kBold825{8.25, true};
inline constexpr FontSetting kBold975{9.75, true};
inline constexpr std::string_view kFromCatalogue{};

// clang-format off
inline constexpr std::array<ControlDescription<Form1Control>, 29> kControls{{
//   name                 id                     kind           text                                          L     T     W     H     back        fore         font       align   tab
    {Command2,            "Command2",            PushButton,    "Fine",                                       9480, 6840,  855,  375, {},         {},          {},        Centre, 18, {}},
    {Picture1,            "Picture1",            PictureBox,    {},                                            465, 6060, 6060, 1560, white,      {},          {},        Left,   17, {}},
    {Command1,            "Command1",            PushButton,    "Responso",                                   7200, 6840, 2175,  375, {},         {},          {},        Centre, 13, {}},
    {Label_dorvik,        "Label_dorvik",        Label,         "by Dorvik",                                  9540, 7320,  915,  255, white,      grey,        {},        Centre, 28, {}},
    {Diagnosi_locomotore, "Diagnosi_locomotore", Label,         "Diagnosi_locomotore",                        7200, 5520, 3255, 1215, lavender,   darkRed,     {},        Left,   27, {}},
    {Diagnosi_arteriosa,  "Diagnosi_arteriosa",  Label,         "Diagnosi_arteriosa",                         7200, 3840, 3255, 1575, lavender,   darkRed,     {},        Left,   26, {}},
    {Diagnosi_venosa,     "Diagnosi_venosa",     Label,         "Diagnosi_venosa",                            7200,  600, 3255, 3135, lavender,   darkRed,     {},        Left,   25, {}},
    {Label_eldrano,       "Label_eldrano",       Label,         "   Realizzato dal Dr. Eldrano Vescandi ",    7200,  240, 3255,  255, blue,       lightCyan,   kBold825,  Centre, 24, {}},
    {responso_mix,        "responso_mix",        Label,         "Incerto",                                     120, 5760, 2800,  255, periwinkle, darkRed,     {},        Left,   23, {}},
    {Label15,             "Label15",             Label,         "Per correggere doppio click!",                120,  240, 6975,  255, periwinkle, lightYellow, kBold975,  Centre, 22, {}},
    {Label14,             "Label14",             Label,         "Clicca sulle DOMANDE per rispondere affermativamente",
                                                                                                               120,    0, 6975,  255, periwinkle, paleYellow,  kBold975,  Centre, 21, {}},
    {Responso_locomotore, "Responso_locomotore", Label,         "Patologia apparato locomotore",               120, 5520, 2800,  255, periwinkle, darkRed,     {},        Left,   20, {}},
    {Responso,            "Responso",            Label,         "Patologia venosa / arteriosa",                120, 5280, 2800,  255, periwinkle, darkRed,     {},        Left,   19, {}},
    {Label_c,             "Label_c",             Label,         "Arteriosa",                                  3120, 5760, 1695,  255, white,      periwinkle,  {},        Left,   16, {}},
    {Label_b,             "Label_b",             Label,         "Apparato locomotore",                        3120, 5520, 2295,  255, white,      periwinkle,  {},        Left,   15, {}},
    {Label_a,             "Label_a",             Label,         "Venosa",                                     3120, 5280, 1695,  255, white,      periwinkle,  {},        Left,   14, {}},
    {Label13,             "Label13",             QuestionLabel, kFromCatalogue,                                120, 4920, 7005,  300, lightCyan,  darkBlue,    {},        Left,   12, {}},
    {Label12,             "Label12",             QuestionLabel, kFromCatalogue,                                120, 4560, 7005,  300, lightCyan,  darkBlue,    {},        Left,   11, {}},
    {Label11,             "Label11",             QuestionLabel, kFromCatalogue,                                120, 4200, 7005,  300, lightCyan,  darkBlue,    {},        Left,   10, {}},
    {Label10,             "Label10",             QuestionLabel, kFromCatalogue,                                120, 3840, 7005,  300, lightCyan,  darkBlue,    {},        Left,    9, {}},
    {Label9,              "Label9",              QuestionLabel, kFromCatalogue,                                120, 3480, 7005,  300, lightCyan,  darkBlue,    {},        Left,    8, {}},
    {Label8,              "Label8",              QuestionLabel, kFromCatalogue,                                120, 3120, 7005,  300, lightCyan,  darkBlue,    {},        Left,    7, {}},
    {Label7,              "Label7",              QuestionLabel, kFromCatalogue,                                120, 2760, 7005,  300, lightCyan,  darkBlue,    {},        Left,    6, {}},
    {Label6,              "Label6",              QuestionLabel, kFromCatalogue,                                120, 2400, 7005,  300, lightCyan,  darkBlue,    {},        Left,    5, {}},
    {Label5,              "Label5",              QuestionLabel, kFromCatalogue,                                120, 2040, 7005,  300, lightCyan,  darkBlue,    {},        Left,    4, {}},
    {Label4,              "Label4",              QuestionLabel, kFromCatalogue,                                120, 1680, 7005,  300, lightCyan,  darkBlue,    {},        Left,    3, {}},
    {Label3,              "Label3",              QuestionLabel, kFromCatalogue,                                120, 1320, 7005,  300, lightCyan,  darkBlue,    {},        Left,    2, {}},
    {Label2,              "Label2",              QuestionLabel, kFromCatalogue,                                120,  960, 7005,  300, lightCyan,  darkBlue,    {},        Left,    1, {}},
    {Label1,              "Label1",              QuestionLabel, kFromCatalogue,                                120,  600, 7005,  300, lightCyan,  darkBlue,    {},        Left,    0, {}},
}};
// clang-format on

static_assert(services::inEnumOrder(kControls), "the rows must follow the order of Form1Control");

} // namespace form1_layout

inline constexpr const auto &kForm1Controls = form1_layout::kControls;
// The table as the window services take it.
inline constexpr auto kForm1Rows = services::rowsOf(kForm1Controls);

} // namespace tervanel::forms
