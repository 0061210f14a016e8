#pragma once

#include <QMouseEvent>

namespace vertuno::qt {

// A widget over the cabinet that keeps the mouse events over its own rectangle, so a press on
// it never drags the window or opens the machine menu.
template <class Widget>
class KeepsMouseEvents : public Widget {
 public:
  using Widget::Widget;

 protected:
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
  void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }
};

}  // namespace vertuno::qt
