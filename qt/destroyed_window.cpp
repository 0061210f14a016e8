#include "qt/destroyed_window.h"

#include <xcb/xproto.h>

#include "machine/machine.h"

namespace vertuno::qt {

DestroyedWindowWatch::DestroyedWindowWatch(Machine& machine, QWidget& window) : machine_(machine), window_(window) {}

bool DestroyedWindowWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY) return false;
  const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
  if (destroyed->window == window_.internalWinId()) machine_.Form_Unload();
  return false;
}

}  // namespace vertuno::qt
