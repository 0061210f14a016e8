#include "machine/hot_spot.h"

#include <QMouseEvent>

namespace vertuno {

HotSpot::HotSpot(QWidget* parent, const QRect& geometry, const QString& objectName)
    : QWidget(parent) {
  setObjectName(objectName);
  setGeometry(geometry);
  setAttribute(Qt::WA_NoSystemBackground);
}

void HotSpot::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton) leftPressed_ = true;
  if (onPress) onPress();
}

void HotSpot::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  const bool click = event->button() == Qt::LeftButton && leftPressed_ && !inDoubleClick_ &&
                     rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) {
    leftPressed_ = false;
    inDoubleClick_ = false;
  }
  if (onRelease) onRelease();
  if (click && onClick) onClick();
}

// The second press of a double-click is a double-click alone: no press, and no second click.
void HotSpot::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  inDoubleClick_ = true;
  leftPressed_ = true;
  if (onDoubleClick) onDoubleClick();
}

void HotSpot::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

CabinetText::CabinetText(QWidget* parent, const QRect& geometry, const QString& objectName,
                         const QFont& font, const QColor& colour, Qt::Alignment alignment)
    : QLabel(parent) {
  setObjectName(objectName);
  setGeometry(geometry);
  setFont(font);
  setAlignment(alignment);
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, colour);
  setPalette(palette);
  setAttribute(Qt::WA_TranslucentBackground);
}

}  // namespace vertuno
