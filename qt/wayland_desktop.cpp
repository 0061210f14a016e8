#include "qt/wayland_desktop.h"

#include <wayland-client.h>

#include <QGuiApplication>
#include <cstring>

namespace vertuno::qt {

namespace {

// Qt asks for the compositor's title bars through this protocol, and draws its own where the
// compositor does not offer it. Qt's own connection is not public, so this asks on one of its own.
bool compositorDrawsTitleBars() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return false;
  bool offered = false;
  static constexpr wl_registry_listener Listener{
      .global = [](void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
        if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0) *static_cast<bool*>(data) = true;
      },
      .global_remove = [](void*, wl_registry*, uint32_t) {},
  };
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &Listener, &offered);
  if (wl_display_roundtrip(display) < 0) offered = false;
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return offered;
}

}  // namespace

bool windowsDrawTheirOwnTitleBars() {
  // With Qt's decorations turned off nobody draws a title bar, so the window draws its own too.
  static const bool own = QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
                          (qEnvironmentVariableIntValue("QT_WAYLAND_DISABLE_WINDOWDECORATION") != 0 ||
                           !compositorDrawsTitleBars());
  return own;
}

}  // namespace vertuno::qt
