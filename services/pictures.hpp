#pragma once

namespace tervanel::services {

// The pictures built into the program. Each platform keeps them in its own way (Qt's
// resources, the Windows executable's resources) and loads them by this name.
enum class PictureId {
    Banner,   // the questionnaire's banner: a GIF, 400 x 100
    Portrait, // the introduction's picture: a JPEG, 275 x 475
};

} // namespace tervanel::services
