#pragma once

#include <QWidget>

#include "machine/layout.h"

namespace vertuno::qt {

// A transparent area over a drawn button. It takes its own mouse events, so a press on it never
// drags the window or opens the machine menu.
class HotSpot : public QWidget {
  Q_OBJECT

 public:
  HotSpot(QWidget* parent, const HotSpotLayout& layout, Machine& machine);

  // A screen reader's press: the gestures a click makes, in order.
  void press();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void call(void (Machine::*handler)()) {
    if (handler) (machine_.*handler)();
  }

  const HotSpotLayout& layout_;
  Machine& machine_;
  bool leftPressed_ = false;
  bool inDoubleClick_ = false;
};

// Screen readers see a hot spot with a name as a button; one without a name stays hidden.
void installHotSpotAccessibility();


}  // namespace vertuno::qt
