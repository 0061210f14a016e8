#include "qt/x11_desktop.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdlib>
#include <cstring>

namespace vertuno::qt {

namespace {

xcb_connection_t* x11Connection() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name) {
  const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

xcb_window_t rootWindow(xcb_connection_t* connection) {
  return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

}  // namespace

// An X11 manager offers minimise to every normal or dialog window it gives the focus, whatever
// the window's own hints say; a utility window, one kept open beside the main window while the
// player works, gets none. Managers keep a utility window above the other windows of its group,
// so it leads a group of its own. All of it goes before every map: a manager drops the states of
// a withdrawn window.
void describeSideWindowToX11(QWidget& window) {
  xcb_connection_t* connection = x11Connection();
  if (!connection) return;
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_atom_t type = atomNamed(connection, "_NET_WM_WINDOW_TYPE_UTILITY");
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atomNamed(connection, "_NET_WM_WINDOW_TYPE"),
                      XCB_ATOM_ATOM, 32, 1, &type);
  constexpr uint32_t TakesInput = 1U << 0;
  constexpr uint32_t LeadsGroup = 1U << 6;
  const std::array<uint32_t, 9> hints{TakesInput | LeadsGroup, 1U, 0, 0, 0, 0, 0, 0, id};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                      hints.size(), hints.data());
  const std::array states{atomNamed(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                          atomNamed(connection, "_NET_WM_STATE_SKIP_PAGER")};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atomNamed(connection, "_NET_WM_STATE"),
                      XCB_ATOM_ATOM, 32, states.size(), states.data());
}

// A running manager marks the root window with a window of its own that carries the same mark.
bool x11ManagerRuns() {
  xcb_connection_t* connection = x11Connection();
  if (!connection) return false;
  const xcb_atom_t mark = atomNamed(connection, "_NET_SUPPORTING_WM_CHECK");
  const auto markedWindow = [&](xcb_window_t window) {
    const auto cookie = xcb_get_property(connection, 0, window, mark, XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    xcb_window_t found = XCB_WINDOW_NONE;
    if (reply && xcb_get_property_value_length(reply) == sizeof found) {
      std::memcpy(&found, xcb_get_property_value(reply), sizeof found);
    }
    std::free(reply);
    return found;
  };
  const xcb_window_t managers = markedWindow(rootWindow(connection));
  return managers != XCB_WINDOW_NONE && markedWindow(managers) == managers;
}

// The request that handed the move over, with the action that cancels one; a manager that is
// not moving the window ignores it.
void cancelPendingX11Move(QWidget& window) {
  xcb_connection_t* connection = x11Connection();
  if (!connection) return;
  constexpr uint32_t MoveResizeCancel = 11;
  constexpr uint32_t FromApplication = 1;
  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = static_cast<xcb_window_t>(window.winId());
  request.type = atomNamed(connection, "_NET_WM_MOVERESIZE");
  request.data.data32[2] = MoveResizeCancel;
  request.data.data32[3] = XCB_BUTTON_INDEX_1;
  request.data.data32[4] = FromApplication;
  xcb_send_event(connection, 0, rootWindow(connection),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&request));
  xcb_flush(connection);
}

}  // namespace vertuno::qt
