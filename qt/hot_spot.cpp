#include "qt/hot_spot.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>

#include "qt/layout.h"

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
    static_cast<HotSpot*>(widget())->press();
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

HotSpot::HotSpot(QWidget* parent, const HotSpotLayout& layout, Machine& machine)
    : QWidget(parent), layout_(layout), machine_(machine) {
  setObjectName(toText(layout.name));
  setGeometry(toRect(layout.box));
  setAccessibleName(toText(layout.accessibleName));
  setAccessibleDescription(toText(layout.description));
  setAttribute(Qt::WA_NoSystemBackground);
}

void HotSpot::press() {
  call(layout_.onPress);
  call(layout_.onRelease);
  call(layout_.onClick);
}

void HotSpot::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton) leftPressed_ = true;
  call(layout_.onPress);
}

void HotSpot::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  const bool click = event->button() == Qt::LeftButton && leftPressed_ && !inDoubleClick_ &&
                     rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) {
    leftPressed_ = false;
    inDoubleClick_ = false;
  }
  call(layout_.onRelease);
  if (click) call(layout_.onClick);
}

// The second press of a double-click is a double-click alone: no press, and no second click.
void HotSpot::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton) return;
  inDoubleClick_ = true;
  leftPressed_ = true;
  call(layout_.onDoubleClick);
}

void HotSpot::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

}  // namespace vertuno::qt
