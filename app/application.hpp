#pragma once

class QApplication;

namespace tervanel::app {

// Names the program and version to Qt and installs its look. The display name stays
// unset: Qt would append it to every window title.
void configure(QApplication &application);

} // namespace tervanel::app
