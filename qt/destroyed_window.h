#pragma once

#include <QAbstractNativeEventFilter>
#include <QWidget>

namespace vertuno {
class Machine;
}

namespace vertuno::qt {

// The desktop may destroy the machine window outright rather than ask it to close; the
// machine then saves and ends all the same, as when it is closed.
class DestroyedWindowWatch : public QAbstractNativeEventFilter {
 public:
  DestroyedWindowWatch(Machine& machine, QWidget& window);
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  Machine& machine_;
  QWidget& window_;
};

}  // namespace vertuno::qt
