#include <emscripten.h>

#include "machine/machine.h"
#include "web/layout_json.h"
#include "web/platform.h"
#include "web/view.h"

namespace {

EM_JS(void, buildPage, (const char* layout), { Module.page.build(JSON.parse(UTF8ToString(layout))); });

}  // namespace

// The page's event loop: the machine's stack sleeps here between events and never unwinds,
// so what lives on it lives as long as the page.
int main() {
  using namespace vertuno;
  buildPage(web::layoutJson().c_str());
  web::WebPlatform platform;
  platform.loadStoredTotals();
  web::WebView view(platform);
  Machine machine(platform, view);
  view.attach(machine);
  platform.setDispatch([&view](const web::PageEvent& event) { view.dispatch(event); });
  platform.startWindowTimers();
  machine.Form_Load();
  for (;;) platform.waitForEvents();
}
