#include "qt/fonts.h"

#include <QApplication>
#include <QFont>

namespace vertuno::qt {

void installMachineFonts() {
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(9);
  QApplication::setFont(font);
}

}  // namespace vertuno::qt
