#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tervanel::app {

// What the command line asks for. The program itself takes no argument: it knows only
// --help and --version, and lets Qt's own options (-platform, -display, -style...) through.
struct CommandLine {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    // The display named by -display, and whether -platform was given: the choice of
    // platform is then the user's.
    std::string display;
    bool platformGiven = false;
    // For Refuse: the argument that was not understood, and why.
    std::string refused;
    std::string reason;
};

[[nodiscard]] CommandLine parseCommandLine(std::span<char *const> arguments);

// The texts the command line prints, in the GNU manner: the version line first, the
// usage, and for a refused argument one line of cause and one of advice.
[[nodiscard]] std::string versionText();
[[nodiscard]] std::string helpText();
[[nodiscard]] std::string refusalText(const CommandLine &line);

} // namespace tervanel::app
