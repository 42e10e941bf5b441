#pragma once

#include "core/identity.hpp"

#include <stdexcept>
#include <string>
#include <string_view>

// The program's failures and the Italian words the user reads for them, in one place.
// Every platform reports a failing window operation with one of these; the failure guard
// shows the words in its box and ends the program.
namespace tervanel::services {

enum class Failure {
    NoServices,        // no window services are installed
    WrongControlKind,  // an operation asked of a control whose kind lacks it
    PictureMissing,    // a built-in picture is missing or damaged (detail: its name)
    FontMissing,       // a built-in font is missing or damaged (detail: its name)
    FontNotCreated,    // the program's font cannot be made
    WindowNotCreated,  // the window system refused a window
    ControlNotCreated, // the window system refused a control
};

// The words for a failure; `detail` names what failed, where the failure has one.
[[nodiscard]] std::string failureText(Failure failure, std::string_view detail = {});

// A failing window operation: what the platforms and the controls throw.
class OperationFailed final : public std::runtime_error {
public:
    explicit OperationFailed(Failure failure, std::string_view detail = {});
    [[nodiscard]] Failure failure() const { return m_failure; }

private:
    Failure m_failure;
};

// The failure guard's box: its title, and its prompt for a failure with these words
// (none: a failure the program does not know).
inline constexpr std::string_view kFailureTitle = identity::kProgramName;
[[nodiscard]] std::string failurePrompt(std::string_view words);

} // namespace tervanel::services
