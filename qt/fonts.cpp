#include "qt/fonts.h"

#include <QApplication>
#include <QFont>

#include "qt/layout.h"

namespace vertuno::qt {

void installMachineFonts() {
  // Liberation Sans is Arial's metric twin, so every text keeps the width it was laid out for.
  const QString twin = QStringLiteral("Liberation Sans");
  QFont::insertSubstitution(toText(ArialFamily), twin);
  QFont::insertSubstitution(toText(DialogFont.family), twin);
  QApplication::setFont(toFont(machine_window::Font));
}

}  // namespace vertuno::qt
