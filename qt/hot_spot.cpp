#include "qt/hot_spot.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>

namespace vertuno::qt {

namespace {

class HotSpotAccessible : public QAccessibleWidget {
 public:
  explicit HotSpotAccessible(QWidget* spot)
      : QAccessibleWidget(spot, isHidden(spot) ? QAccessible::Client : QAccessible::Button) {}

  // A screen reader's press is a click: the slot plays, the rules panel opens the statistics,
  // the tray is pressed and let go.
  QStringList actionNames() const override {
    if (isHidden(widget())) return {};
    return {pressAction()};
  }
  void doAction(const QString& action) override {
    if (action != pressAction() || isHidden(widget())) return;
    const auto* spot = static_cast<const HotSpot*>(widget());
    if (spot->onPress) spot->onPress();
    if (spot->onRelease) spot->onRelease();
    if (spot->onClick) spot->onClick();
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (isHidden(widget())) state.invisible = true;
    return state;
  }

 private:
  static bool isHidden(const QWidget* spot) { return spot->accessibleName().isEmpty(); }
};

QAccessibleInterface* makeHotSpotAccessible(const QString& className, QObject* object) {
  if (className != QLatin1String("vertuno::qt::HotSpot")) return nullptr;
  return new HotSpotAccessible(static_cast<QWidget*>(object));
}

}  // namespace

void installHotSpotAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(makeHotSpotAccessible);
    return true;
  }();
  (void)installed;
}

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
    : KeepsMouseEvents<QLabel>(parent) {
  setObjectName(objectName);
  setGeometry(geometry);
  setFont(font);
  setAlignment(alignment);
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, colour);
  setPalette(palette);
  setAttribute(Qt::WA_TranslucentBackground);
}

}  // namespace vertuno::qt
