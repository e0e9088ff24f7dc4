#pragma once

#include <QApplication>

#include <memory>

namespace hakobee {

// Creates the QApplication of the window, or says in one line on standard
// error why no window can be shown and returns null.
//
// Qt aborts the whole process, after several lines about its platform
// plugins, when it finds no display. So the environment is looked at first
// (no DISPLAY and no WAYLAND_DISPLAY for a platform that needs one), and a
// display that is named but cannot be reached is caught while Qt starts.
// Messages Qt gives while starting are held and passed on once it started.
std::unique_ptr<QApplication> startGuiApplication(int& argc, char** argv);

} // namespace hakobee
