#pragma once

#include <string_view>

// Who makes and answers for the program: the one place that names them.
namespace tervanel::identity {

inline constexpr std::string_view kProgramName = "Tervanel";
// What the program is, in one line: the help's first line, the package's summary, the
// desktop entry's comment, the web page's description.
inline constexpr std::string_view kSummary =
    "Test di autovalutazione per dolori e fastidi alle gambe";
// What the Windows file's version information calls it (its FileDescription), and so the
// manifest's and the installer's shortcut's description.
inline constexpr std::string_view kFileDescription = "Tervanel di autovalutazione";
inline constexpr std::string_view kVersion = "1.00";
inline constexpr std::string_view kPublisher = "Dorvik";

// The publisher's web site: the questionnaire's title and the banner's tooltip.
inline constexpr std::string_view kWebAddress = "www.dorvik.example";
// The author's address: the "by Dorvik" credit and the version comments.
inline constexpr std::string_view kAuthorEmail = "webmaster@dorvik.example";
// The physician who wrote the questionnaire.
inline constexpr std::string_view kPhysicianEmail = "eldrano.vescandi@dorvik.example";
// Where the introduction sends readers who want to know more.
inline constexpr std::string_view kInfoEmail = "info@dorvik.example";

} // namespace tervanel::identity
