#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>

#include "qt/keeps_mouse_events.h"

namespace vertuno::qt {

// A transparent area over a drawn button. It takes its own mouse events, so a press on it never
// drags the window or opens the machine menu.
class HotSpot : public QWidget {
  Q_OBJECT

 public:
  HotSpot(QWidget* parent, const QRect& geometry, const QString& objectName);

  std::function<void()> onClick;        // left press and release inside
  std::function<void()> onDoubleClick;  // left double-click
  std::function<void()> onPress;        // any button
  std::function<void()> onRelease;      // any button

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  bool leftPressed_ = false;
  bool inDoubleClick_ = false;
};

// Screen readers see a hot spot with a name as a button; one without a name stays hidden.
void installHotSpotAccessibility();

// A text written on the cabinet.
class CabinetText : public KeepsMouseEvents<QLabel> {
 public:
  CabinetText(QWidget* parent, const QRect& geometry, const QString& objectName, const QFont& font,
              const QColor& colour, Qt::Alignment alignment);
};

}  // namespace vertuno::qt
