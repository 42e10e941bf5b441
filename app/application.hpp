#pragma once

#include <memory>

class QApplication;

namespace tervanel::app {

// Creates the application. A platform that cannot be started (the display named by
// -platform or -display is not there, its plugin is missing) is reported in one line
// and ends the program with status 1, instead of Qt's abort; what Qt says on the way is
// shown only when the start succeeds.
[[nodiscard]] std::unique_ptr<QApplication> createApplication(int &argc, char **argv);

// Names the program and version to Qt and installs its look and its icon. The display
// name stays unset: Qt would append it to every window title.
void configure(QApplication &application);

} // namespace tervanel::app
