#include "qt/centred_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace vertuno::qt {

CentredWindow::CentredWindow(const QString& objectName, const QString& title, QSize size) {
  setObjectName(objectName);
  // A dialog, because only dialogs are made transient for their owner on X11.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(title);
  setFixedSize(size);
  QFont dialogFont(QStringLiteral("MS Sans Serif"));  // every dialog's own font on that desktop
  dialogFont.setPointSizeF(8.25);
  setFont(dialogFont);
}

void CentredWindow::belongTo(QWidget& owner) {
  owner.window()->winId();
  winId();
  windowHandle()->setTransientParent(owner.window()->windowHandle());
}

void CentredWindow::showCentred() {
  if (!isVisible()) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect frame(QPoint(0, 0), size());
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  show();
  raise();
}

}  // namespace vertuno::qt
