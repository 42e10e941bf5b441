#pragma once

#include "core/reports.hpp"
#include "services/accessibility.hpp"
#include "services/control_table.hpp"
#include "services/gestures.hpp"

#include <string_view>

// The program's enums that cross into the page, by the names their enumerators have in
// C++: the page's scripts say Enums.KeyEffect.PressDefault where the C++ says
// KeyEffect::PressDefault, and never a number, so that only this file knows both.
namespace tervanel::web {

// An enumerator's name; empty for a number that is none of the enum's.
[[nodiscard]] std::string_view nameOf(services::gestures::Key key);
[[nodiscard]] std::string_view nameOf(services::gestures::KeyEffect effect);
[[nodiscard]] std::string_view nameOf(services::gestures::Gesture gesture);
[[nodiscard]] std::string_view nameOf(services::ControlKind kind);
[[nodiscard]] std::string_view nameOf(services::accessibility::Role role);
[[nodiscard]] std::string_view nameOf(MessageStyle style);

// Every enum the page is handed, as one JSON object of objects, each enum by its C++ name
// and each enumerator by its own with its number: {"Key": {"Enter": 0, ...}, ...}. Written
// by the compiler.
[[nodiscard]] std::string_view enumsAsJson();

} // namespace tervanel::web
