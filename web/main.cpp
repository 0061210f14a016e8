#include "machine/machine.h"
#include "web/page_tables.h"
#include "web/platform.h"
#include "web/view.h"

// The page's event loop: the machine's stack sleeps here between events and never unwinds,
// so what lives on it lives as long as the page.
int main() {
  using namespace vertuno;
  web::page().call<void>("build", web::pageTables());
  web::WebPlatform platform;
  web::WebView view(platform);
  Machine machine(platform, view);
  view.attach(machine);
  platform.setDispatch([&view](const emscripten::val& event) { view.dispatch(event); });
  platform.startWindowTimers();
  machine.Form_Load();
  for (;;) platform.waitForEvents();
}
