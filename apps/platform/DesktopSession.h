#pragma once

#include <QGuiApplication>
#include <memory>

namespace tarnwick {

// The GUI application object that QDesktopServices needs before it opens anything. It takes
// the platform from QT_QPA_PLATFORM when that is set; otherwise, with neither an X11 nor a
// Wayland display to show a browser on, it runs "offscreen", where every request is refused,
// rather than aborting for want of a display.
std::unique_ptr<QGuiApplication> StartDesktopSession();

}  // namespace tarnwick
