#pragma once

#include <QWidget>

namespace vertuno::qt {

// A fixed-size side window with a title and a close button only, centred when shown.
class CentredWindow : public QWidget {
 public:
  CentredWindow(const QString& objectName, const QString& title, QSize size);
  void showCentred();
  // Belongs to the machine window: no taskbar entry of its own, kept above its owner.
  void belongTo(QWidget& owner);
};

}  // namespace vertuno::qt
