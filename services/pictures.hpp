#pragma once

#include <array>
#include <string_view>

namespace tervanel::services {

// The pictures built into the program. Each platform keeps them in its own way (Qt's
// resources, the Windows executable's resources, the page's files) and loads them by
// this name.
enum class PictureId {
    Banner,   // the questionnaire's banner: a GIF, 400 x 100
    Portrait, // the introduction's picture: a JPEG, 275 x 475
};

// Every picture, beside the enum, so that a new one is added in one place (the page fetches
// them all ahead).
inline constexpr std::array kAllPictures{PictureId::Banner, PictureId::Portrait};

// The picture's file among the program's sources (app/resources), and the name a failure
// to load it gives on every platform.
[[nodiscard]] constexpr std::string_view fileNameOf(PictureId picture)
{
    switch (picture) {
    case PictureId::Banner:
        return "banner.gif";
    case PictureId::Portrait:
        break;
    }
    return "portrait.jpg";
}

} // namespace tervanel::services
