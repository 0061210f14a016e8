#include "qt/x11_desktop.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QPoint>
#include <QWidget>
#include <algorithm>
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

// Whether the running manager lists this among what it supports.
bool managerOffers(xcb_connection_t* connection, const char* name) {
  const xcb_atom_t wanted = atomNamed(connection, name);
  constexpr uint32_t MostAtoms = 1024;
  const auto cookie = xcb_get_property(connection, 0, rootWindow(connection), atomNamed(connection, "_NET_SUPPORTED"),
                                       XCB_ATOM_ATOM, 0, MostAtoms);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  bool offered = false;
  if (reply && reply->format == 32) {
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / static_cast<int>(sizeof(xcb_atom_t));
    offered = std::find(atoms, atoms + count, wanted) != atoms + count;
  }
  std::free(reply);
  return offered;
}

// The request by which a client asks the manager to move it with the left button, from a point
// of the screen, or calls such a move off.
void sendMoveResize(xcb_connection_t* connection, QWidget& window, std::array<uint32_t, 3> pointAndAction) {
  constexpr uint32_t FromApplication = 1;
  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = static_cast<xcb_window_t>(window.winId());
  request.type = atomNamed(connection, "_NET_WM_MOVERESIZE");
  std::copy(pointAndAction.begin(), pointAndAction.end(), request.data.data32);
  request.data.data32[3] = XCB_BUTTON_INDEX_1;
  request.data.data32[4] = FromApplication;
  xcb_send_event(connection, 0, rootWindow(connection),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&request));
  xcb_flush(connection);
}

// A running manager marks the root window with a window of its own that carries the same mark.
// Qt trusts the root window's list of what a manager supports, which one that has gone (crashed,
// or killed) leaves behind.
bool managerRuns(xcb_connection_t* connection) {
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
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, hints.size(),
                      hints.data());
  const std::array states{atomNamed(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                          atomNamed(connection, "_NET_WM_STATE_SKIP_PAGER")};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atomNamed(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                      states.size(), states.data());
}

bool handMoveToX11Manager(QWidget& window, QPoint pointer, QPoint moved) {
  xcb_connection_t* connection = x11Connection();
  if (!connection || !managerRuns(connection) || !managerOffers(connection, "_NET_WM_MOVERESIZE")) return false;
  const xcb_window_t root = rootWindow(connection);
  // Read before the window moves: the manager may carry the move out at any time after it.
  const QPoint inWindow = pointer * window.devicePixelRatioF();
  const auto cookie = xcb_translate_coordinates(connection, static_cast<xcb_window_t>(window.winId()), root,
                                                static_cast<int16_t>(inWindow.x()), static_cast<int16_t>(inWindow.y()));
  xcb_translate_coordinates_reply_t* onScreen = xcb_translate_coordinates_reply(connection, cookie, nullptr);
  if (!onScreen) return false;
  window.move(window.pos() + moved);
  // The manager cannot take the pointer while the press still holds it for this window.
  xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
  constexpr uint32_t Move = 8;
  sendMoveResize(connection, window,
                 {static_cast<uint32_t>(onScreen->dst_x), static_cast<uint32_t>(onScreen->dst_y), Move});
  std::free(onScreen);
  return true;
}

void cancelPendingX11Move(QWidget& window) {
  xcb_connection_t* connection = x11Connection();
  if (!connection) return;
  constexpr uint32_t Cancel = 11;
  sendMoveResize(connection, window, {0, 0, Cancel});
}

}  // namespace vertuno::qt
