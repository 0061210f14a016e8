#include "qt/terminal_text.h"

#include <QLocale>
#include <cstdio>

namespace vertuno::qt {

QString inLocaleLanguage(const char* russian, const char* english) {
  return QString::fromUtf8(QLocale::system().language() == QLocale::Russian ? russian : english);
}

void complain(const QString& line) {
  std::fputs((QStringLiteral("vertuno: ") + line + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
}

void printOut(const QString& text) { std::fputs(text.toLocal8Bit().constData(), stdout); }

}  // namespace vertuno::qt
