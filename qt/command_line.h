#pragma once

#include <optional>

namespace vertuno::qt {

// Reads the command line before any window is made. --help and --version answer and end the
// program, an unknown option or a missing display ends it with one line of why, in Russian or
// English by the locale; Qt's own options (-platform, -display, ...) are left to Qt. Gives the
// exit status when the program is to end at once.
std::optional<int> answerCommandLine(int argc, char** argv);

}  // namespace vertuno::qt
