#pragma once

#include <QString>
#include <optional>

namespace vertuno::qt {

// Reads the command line before any window is made. --help and --version answer and end the
// program, an unknown option or a missing display ends it with one line of why, in Russian or
// English by the locale. Gives the exit status when the program is to end at once.
std::optional<int> answerCommandLine(int argc, char** argv);

// What the program says on a terminal: Russian under a Russian locale, English otherwise.
QString inLocaleLanguage(const char* russian, const char* english);

// Writes one line to standard error, "vertuno: " first.
void complain(const QString& line);

}  // namespace vertuno::qt
