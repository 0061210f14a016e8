#include "qt/wayland_desktop.h"

#include <wayland-client.h>
#include <xdg-activation-v1-client-protocol.h>

#include <QGuiApplication>
#include <cstring>

namespace vertuno::qt {

namespace {

bool onWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// Qt's own connection to the compositor is not public, so these ask on one of their own.
struct Globals {
  bool decorations = false;
  xdg_activation_v1* activation = nullptr;
};

constexpr wl_registry_listener GlobalsListener{
    .global =
        [](void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
          auto& found = *static_cast<Globals*>(data);
          if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0) found.decorations = true;
          if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0) {
            found.activation =
                static_cast<xdg_activation_v1*>(wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
          }
        },
    .global_remove = [](void*, wl_registry*, uint32_t) {},
};

// Calls ask with what the compositor offers, on a connection of its own that ends afterwards.
template <typename Ask>
void askCompositor(Ask ask) {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return;
  Globals found;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &GlobalsListener, &found);
  if (wl_display_roundtrip(display) >= 0) ask(display, found);
  if (found.activation) xdg_activation_v1_destroy(found.activation);
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
}

// Qt asks for the compositor's title bars through that protocol, and draws its own where the
// compositor does not offer it.
bool compositorDrawsTitleBars() {
  bool offered = false;
  askCompositor([&offered](wl_display*, const Globals& found) { offered = found.decorations; });
  return offered;
}

}  // namespace

bool windowsDrawTheirOwnTitleBars() {
  // With Qt's decorations turned off nobody draws a title bar, so the window draws its own too.
  static const bool own = onWayland() && (qEnvironmentVariableIntValue("QT_WAYLAND_DISABLE_WINDOWDECORATION") != 0 ||
                                          !compositorDrawsTitleBars());
  return own;
}

QByteArray activationTokenForAnotherWindow() {
  if (!onWayland()) return {};
  // A launcher hands its token over in one of these (older ones in the second only).
  for (const char* handedOver : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
    if (const QByteArray token = qgetenv(handedOver); !token.isEmpty()) return token;
  }
  QByteArray token;
  askCompositor([&token](wl_display* display, const Globals& found) {
    if (!found.activation) return;
    static constexpr xdg_activation_token_v1_listener Listener{
        .done = [](void* data, xdg_activation_token_v1*,
                   const char* given) { *static_cast<QByteArray*>(data) = given; },
    };
    xdg_activation_token_v1* request = xdg_activation_v1_get_activation_token(found.activation);
    xdg_activation_token_v1_add_listener(request, &Listener, &token);
    xdg_activation_token_v1_set_app_id(request, QGuiApplication::desktopFileName().toUtf8().constData());
    xdg_activation_token_v1_commit(request);
    wl_display_roundtrip(display);
    xdg_activation_token_v1_destroy(request);
  });
  return token;
}

}  // namespace vertuno::qt
