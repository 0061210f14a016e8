#include "web/view.h"

#include <emscripten/val.h>

#include <string>
#include <vector>

#include "machine/cabinet.h"
#include "machine/machine.h"
#include "stats/side_window_layout.h"
#include "web/page_tables.h"
#include "web/platform.h"

namespace vertuno::web {

namespace {

using emscripten::val;

// Device pixels to a pixel of the cabinet, as the page scales it.
int pixelScale() { return page().call<int>("pixelScale"); }

// The side windows in the order the page was handed them.
int pageIndex(WindowId window) {
  for (std::size_t i = 0; i < SideWindows.size(); ++i) {
    if (SideWindows[i]->window == window) return static_cast<int>(i);
  }
  return -1;
}

template <typename Table>
const auto* row(const Table& table, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < table.size() ? &table[static_cast<std::size_t>(index)]
                                                                      : nullptr;
}

}  // namespace

WebView::WebView(WebPlatform& platform) : platform_(platform) {}

// The page names each event it queues; a and b are the numbers some of them carry.
void WebView::dispatch(const val& event) {
  // A number the event carries, or 0 where it has none.
  const auto number = [&event](const char* name) { return event[name].isUndefined() ? 0 : event[name].as<int>(); };
  const std::string kind = event["kind"].as<std::string>();
  const int a = number("a");
  if (kind == "input") {  // what the player did, raw: the fields of the machine's Input, by name
    const std::string hotSpot = event["hotSpot"].isUndefined() ? "" : event["hotSpot"].as<std::string>();
    machine_->input({.kind = static_cast<InputKind>(number("input")),
                     .button = static_cast<MouseButton>(number("button")),
                     .held = static_cast<MouseButton>(number("held")),
                     .at = {number("x"), number("y")},
                     .window = static_cast<WindowId>(number("window")),
                     .hotSpot = hotSpot,
                     .ms = number("ms")});
  } else if (kind == "timer1") {
    machine_->Timer1_Timer();
  } else if (kind == "timer2") {
    machine_->Timer2_Timer();
  } else if (kind == "longPress") {
    machine_->input({.kind = InputKind::LongPress});
  } else if (kind == "closeWindow") {  // a: the side window whose close button was pressed
    if (const auto* window = row(SideWindows, a)) machine_->closeSideWindow((*window)->window);
  } else if (kind == "sideButton") {  // a: the side window, b: the control's index in it
    const auto* window = row(SideWindows, a);
    const auto* control = window ? row((*window)->controls, number("b")) : nullptr;
    if (control && control->onClick) (machine_->*control->onClick)();
  } else if (kind == "answer") {
    answer_ = static_cast<Answer>(a);
  } else if (kind == "menuChosen") {  // a: the item's index, or -1 for none
    const auto* item = row(machine_window::Menu, a);
    menuChoice_ = item ? item->choice : MenuChoice::None;
  } else if (kind == "rescale") {  // the screen's pixel ratio changed
    showCells();
  } else if (kind == "hidden") {  // the page went out of sight, or is left
    machine_->saveWithoutViews();
  } else if (kind == "close") {  // another tab takes the machine over
    machine_->Form_Unload();
  }
}

// Modal as on the desktop: the page blocks the rest of itself, the machine's timers still tick.
Answer WebView::messageBox(const std::string& text, const std::string& title, MessageStyle style) {
  answer_.reset();
  page().call<void>("showMessage", text, title, static_cast<int>(style));
  while (!answer_) platform_.waitForEvents();
  return *std::exchange(answer_, std::nullopt);
}

void WebView::showMachineWindow() {
  showCells();
  showLabels();
  changed(Change::InfoWindow);
  page().call<void>("showCabinet");
}

void WebView::raiseMachineWindow() { page().call<void>("raiseCabinet"); }

// A page has no desktop to hand a drag to: the cabinet follows the pointer itself.
bool WebView::handDragToDesktop(Point) { return false; }

void WebView::moveMachineWindowBy(Point offset) { page().call<void>("moveCabinetBy", offset.x, offset.y); }

MenuChoice WebView::popupMainMenu(std::optional<Point> at) {
  menuChoice_.reset();
  // The keyboard opens it at a point of the cabinet, a press at the pointer.
  page().call<void>("showMenu", at ? val::array(std::vector{at->x, at->y}) : val::null());
  while (!menuChoice_) platform_.waitForEvents();
  return *std::exchange(menuChoice_, std::nullopt);
}

void WebView::closeMainMenu() {
  page().call<void>("closeMenu");
  menuChoice_ = MenuChoice::None;
}

void WebView::showInfoWindow() { page().call<void>("showSideWindow", pageIndex(WindowId::Info)); }

void WebView::hideInfoWindow() { page().call<void>("hideSideWindow", pageIndex(WindowId::Info)); }

void WebView::showAboutWindow() { page().call<void>("showSideWindow", pageIndex(WindowId::About)); }

void WebView::hideAboutWindow() { page().call<void>("hideSideWindow", pageIndex(WindowId::About)); }

void WebView::changed(Change what) {
  const MachineState& state = machine_->state();
  switch (what) {
    case Change::PlayerCoins:
    case Change::WinDisplay: showLabels(); break;
    case Change::Cells: showCells(); break;
    case Change::Face: page().call<void>("setFace", static_cast<int>(state.CabinetFace)); break;
    case Change::Coin: page().call<void>("moveCoin", state.CoinLeft, state.CoinTop); break;
    case Change::InfoWindow: {
      // Until the window is loaded its counters keep their design captions.
      const InfoFields shown = state.InfoLoaded ? state.Info : InfoFields{};
      for (const SideWindowLayout* window : SideWindows) {
        for (std::size_t i = 0; i < window->controls.size(); ++i) {
          const auto counter = window->controls[i].counter;
          if (counter) page().call<void>("setCounter", pageIndex(window->window), static_cast<int>(i), shown.*counter);
        }
      }
      break;
    }
  }
}

// In the order the page was handed them.
void WebView::showLabels() {
  const MachineState& state = machine_->state();
  for (std::size_t i = 0; i < machine_window::Texts.size(); ++i) {
    const CabinetLabel& label = machine_window::Texts[i];
    page().call<void>("setLabel", static_cast<int>(i), std::string(shownText(label, state)), isShown(label, state));
  }
}

// As a canvas takes its pixels: red, green, blue and an opaque alpha.
const WebView::PagePicture& WebView::picture(CellPicture shown) {
  const std::pair key{static_cast<int>(shown), pixelScale()};
  auto found = pictures_.find(key);
  if (found == pictures_.end()) {
    const CellBitmap cell = drawBoardCell(shown, key.second);
    PagePicture drawn{cell.width, cell.height, {}};
    for (const Rgb pixel : cell.pixels) drawn.rgba.insert(drawn.rgba.end(), {pixel.r, pixel.g, pixel.b, 255});
    found = pictures_.emplace(key, std::move(drawn)).first;
  }
  return found->second;
}

void WebView::showCells() {
  const MachineState& state = machine_->state();
  for (std::size_t i = 0; i < state.Tab.size(); ++i) {
    const PagePicture& shown = picture(state.Tab[i]);
    page().call<void>("drawCell", static_cast<int>(i),
                      val(emscripten::typed_memory_view(shown.rgba.size(), shown.rgba.data())), shown.width,
                      shown.height, pixelScale());
  }
  page().call<void>("setBoardReading", boardReading(state.Tab));
}

}  // namespace vertuno::web
