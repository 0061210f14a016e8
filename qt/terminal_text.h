#pragma once

#include <QString>

namespace vertuno::qt {

// What the program says on a terminal: Russian under a Russian locale, English otherwise.
QString inLocaleLanguage(const char* russian, const char* english);

// Writes one line to standard error, "vertuno: " first.
void complain(const QString& line);

// Writes text as it is to standard output.
void printOut(const QString& text);

}  // namespace vertuno::qt
