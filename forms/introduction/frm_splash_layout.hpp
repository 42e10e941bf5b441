#pragma once

#include "services/control_table.hpp"
#include "services/palette.hpp"
#include "services/units.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tervanel::forms {

// The introduction window's controls, in the order of its description.
enum class SplashControl : std::uint8_t { Frame1, Image1, Label1, Label2, Label3, Command1 };

// No title bar, a fixed dialog frame, 7005 x 4290 twips (467 x 286 pixels), centred.
inline constexpr int kSplashWidth = 7005;
inline constexpr int kSplashHeight = 4290;
// No font stored: the platform's dialog font at regular weight.
inline constexpr services::FontSetting kSplashFont{8.25, false};

// What a screen reader says for the window, its frame and its picture.
inline constexpr std::string_view kSplashDescription = "Introduzione a Tervanel";
inline constexpr std::string_view kPortraitDescription =
    "Rilievo antico in marmo: un uomo barbuto regge il modello scolpito di una gamba";

namespace splash_layout {

using enum SplashControl;
using enum services::ControlKind;
using services::ControlDescription;
using services::Align::Left;
using namespace services::colors;

// Everything but the frame lies on the frame, placed from its top-left corner. The
// labels keep the window's background colour; the introduction and the credit line are
// written at load.
// clang-format off
inline constexpr std::array<ControlDescription<SplashControl>, 6> kControls{{
//   name      id          kind        text          L     T     W     H     back fore     font align tab  parent
    {Frame1,   "Frame1",   Frame,      {},              0,    0, 7000, 4245, {}, {},      {}, Left, 0,  {}},
    {Image1,   "Image1",   Image,      {},             60,  135, 2850, 4065, {}, {},      {}, Left, {}, Frame1},
    {Label1,   "Label1",   Label,      {},           2985,  420, 3915, 2700, {}, blue,    {}, Left, 1,  Frame1},
    {Label2,   "Label2",   Label,      {},           4200, 3465, 2760,  255, {}, darkRed, {}, Left, 2,  Frame1},
    {Label3,   "Label3",   Label,      " by Dorvik", 6195, 3945,  750,  255, {}, grey,    {}, Left, 3,  Frame1},
    {Command1, "Command1", PushButton, {},           4305, 3780, 1065,  330, {}, {},      {}, Left, 4,  Frame1},
}};
// clang-format on

static_assert(services::inEnumOrder(kControls), "the rows must follow the order of SplashControl");

} // namespace splash_layout

inline constexpr const auto &kSplashControls = splash_layout::kControls;
// The table as the window services take it.
inline constexpr auto kSplashRows = services::rowsOf(kSplashControls);

} // namespace tervanel::forms
