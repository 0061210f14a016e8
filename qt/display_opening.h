#pragma once

#include <QApplication>
#include <memory>

namespace vertuno::qt {

// Opens the display as the application. Qt ends a start that reaches no display with abort()
// and advice to reinstall; the player is told in one line which display failed and why, and the
// program ends with status 1. What Qt says during a start that succeeds is passed on as it was.
std::unique_ptr<QApplication> openDisplay(int& argc, char** argv);

}  // namespace vertuno::qt
