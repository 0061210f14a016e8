#include "web/view.h"

#include <emscripten.h>

#include <string>

#include "machine/layout.h"
#include "machine/machine.h"
#include "stats/side_window_layout.h"
#include "web/platform.h"

namespace vertuno::web {

namespace {

EM_JS(void, pageShowMessage, (const char* text, const char* title, int style), {
  Module.page.showMessage(UTF8ToString(text), UTF8ToString(title), style);
});
EM_JS(void, pageShowCabinet, (), { Module.page.showCabinet(); });
EM_JS(void, pageShowMenu, (), { Module.page.showMenu(); });
EM_JS(void, pageShowSideWindow, (int index), { Module.page.showSideWindow(index); });
EM_JS(void, pageHideSideWindow, (int index), { Module.page.hideSideWindow(index); });
EM_JS(void, pageFollowPointer, (), { Module.page.followPointer(); });
EM_JS(void, pageSetFace, (int face), { Module.page.setFace(face); });
EM_JS(void, pageMoveCoin, (double left, double top), { Module.page.moveCoin(left, top); });
EM_JS(void, pageSetLabel, (int index, const char* text, bool visible), {
  Module.page.setLabel(index, UTF8ToString(text), visible);
});
EM_JS(void, pageSetBoardReading, (const char* text), { Module.page.setBoardReading(UTF8ToString(text)); });
EM_JS(void, pageSetCounter, (int control, const char* text), { Module.page.setCounter(control, UTF8ToString(text)); });
// layer 0: the cabinet's dark cells under the board; 1: the board's cells.
EM_JS(void, pageDrawCell, (int layer, int cell, const void* pixels, int width, int height, int scale), {
  Module.page.drawCell(layer, cell, HEAPU8.subarray(pixels, pixels + width * height * 3), width, height, scale);
});
EM_JS(int, pageScale, (), { return Math.max(1, Math.ceil(window.devicePixelRatio || 1)); });

static_assert(sizeof(Rgb) == 3, "the page reads cell pixels as packed RGB");

constexpr int InfoWindowIndex = 0;
constexpr int AboutWindowIndex = 1;

// What a screen reader says of the board: each cell's digit, "?" while it turns, "-" when dark.
std::string boardReading(const std::array<CellPicture, 3>& cells) {
  std::string reading(machine_window::BoardReading);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const int index = static_cast<int>(cells[i]);
    if (i > 0) reading += ' ';
    if (index <= 9) {
      reading += static_cast<char>('0' + index);
    } else if (cells[i] == CellPicture::Unlit || cells[i] == CellPicture::None) {
      reading += '-';
    } else {
      reading += '?';
    }
  }
  return reading;
}

}  // namespace

WebView::WebView(WebPlatform& platform) : platform_(platform) {}

void WebView::dispatch(const PageEvent& event) {
  const auto& spots = machine_window::HotSpots;
  const auto spotHandler = [&](void (Machine::*HotSpotLayout::*gesture)()) {
    if (event.a < 0 || static_cast<std::size_t>(event.a) >= spots.size()) return;
    if (const auto handler = spots[static_cast<std::size_t>(event.a)].*gesture) (machine_->*handler)();
  };
  switch (event.kind) {
    case PageEventKind::None: break;
    case PageEventKind::Timer1: machine_->Timer1_Timer(); break;
    case PageEventKind::Timer2: machine_->Timer2_Timer(); break;
    case PageEventKind::Timer3: break;  // its ticks do nothing
    case PageEventKind::HotSpotPress: spotHandler(&HotSpotLayout::onPress); break;
    case PageEventKind::HotSpotRelease: spotHandler(&HotSpotLayout::onRelease); break;
    case PageEventKind::HotSpotClick: spotHandler(&HotSpotLayout::onClick); break;
    case PageEventKind::HotSpotDoubleClick: spotHandler(&HotSpotLayout::onDoubleClick); break;
    case PageEventKind::CabinetPress: machine_->Form_MouseDown(static_cast<MouseButton>(event.a)); break;
    case PageEventKind::CabinetMove:
      if (machine_->Form_MouseMove(static_cast<MouseButton>(event.a))) pageFollowPointer();
      break;
    case PageEventKind::Answer: answer_ = static_cast<Answer>(event.a); break;
    case PageEventKind::MenuChosen: {
      const auto& menu = machine_window::Menu;
      menuChoice_ = event.a >= 0 && static_cast<std::size_t>(event.a) < menu.size()
                        ? menu[static_cast<std::size_t>(event.a)].choice
                        : MenuChoice::None;
      break;
    }
    case PageEventKind::SideButton: {
      const auto& controls = info_window::Layout.controls;
      if (event.a < 0 || static_cast<std::size_t>(event.a) >= controls.size()) break;
      if (const auto handler = controls[static_cast<std::size_t>(event.a)].onClick) (machine_->*handler)();
      break;
    }
    case PageEventKind::InfoClose: machine_->closeInfoWindow(); break;
    case PageEventKind::Rescale:
      showDarkCells();
      showCells();
      break;
    case PageEventKind::Hidden: machine_->saveWithoutViews(); break;
    case PageEventKind::Close: machine_->Form_Unload(); break;
  }
}

// Modal as on the desktop: the page blocks the rest of itself, the machine's timers still tick.
Answer WebView::messageBox(const std::string& text, const std::string& title, MessageStyle style) {
  answer_.reset();
  pageShowMessage(text.c_str(), title.c_str(), static_cast<int>(style));
  while (!answer_) platform_.waitForEvents();
  return *std::exchange(answer_, std::nullopt);
}

void WebView::showMachineWindow() {
  showDarkCells();
  showCells();
  showLabels();
  changed(Change::InfoWindow);
  pageShowCabinet();
}

MenuChoice WebView::popupMainMenu() {
  menuChoice_.reset();
  pageShowMenu();
  while (!menuChoice_) platform_.waitForEvents();
  return *std::exchange(menuChoice_, std::nullopt);
}

void WebView::showInfoWindow() { pageShowSideWindow(InfoWindowIndex); }

void WebView::hideInfoWindow() { pageHideSideWindow(InfoWindowIndex); }

void WebView::showAboutWindow() { pageShowSideWindow(AboutWindowIndex); }

void WebView::changed(Change what) {
  const MachineState& state = machine_->state();
  switch (what) {
    case Change::PlayerCoins:
    case Change::WinDisplay:
      showLabels();
      break;
    case Change::Cells: showCells(); break;
    case Change::Face: pageSetFace(static_cast<int>(state.CabinetFace)); break;
    case Change::Coin: pageMoveCoin(state.CoinLeft, state.CoinTop); break;
    case Change::InfoWindow: {
      // Until the window is loaded its counters keep their design captions.
      const InfoFields shown = state.InfoLoaded ? state.Info : InfoFields{};
      const auto& controls = info_window::Layout.controls;
      for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].counter) pageSetCounter(static_cast<int>(i), (shown.*controls[i].counter).c_str());
      }
      break;
    }
  }
}

// In the order the page was handed the labels: the purse, the banner, the amount, its word.
void WebView::showLabels() {
  const MachineState& state = machine_->state();
  pageSetLabel(0, state.PlayerCoins.c_str(), state.PlayerCoinsVisible);
  pageSetLabel(1, std::string(machine_window::WinBanner.designCaption).c_str(), state.WinBannerVisible);
  pageSetLabel(2, state.PrizeAmountText.c_str(), true);
  pageSetLabel(3, state.CoinWordText.c_str(), true);
}

const CellBitmap& WebView::picture(std::optional<CellPicture> picture) {
  const int scale = pageScale();
  const std::pair key{picture ? static_cast<int>(*picture) : -1, scale};
  auto found = pictures_.find(key);
  if (found == pictures_.end()) {
    found = pictures_.emplace(key, picture ? drawCellPicture(*picture, scale) : drawDarkCell(scale)).first;
  }
  return found->second;
}

void WebView::showCells() {
  const MachineState& state = machine_->state();
  for (std::size_t i = 0; i < state.Tab.size(); ++i) {
    const int cell = static_cast<int>(i);
    if (state.Tab[i] == CellPicture::None) {
      pageDrawCell(1, cell, nullptr, 0, 0, 1);  // the cabinet's dark cell shows through
      continue;
    }
    const CellBitmap& bitmap = picture(state.Tab[i]);
    pageDrawCell(1, cell, bitmap.pixels.data(), bitmap.width, bitmap.height, pageScale());
  }
  pageSetBoardReading(boardReading(state.Tab).c_str());
}

void WebView::showDarkCells() {
  const CellBitmap& dark = picture(std::nullopt);
  for (int cell = 0; cell < 3; ++cell) pageDrawCell(0, cell, dark.pixels.data(), dark.width, dark.height, pageScale());
}

}  // namespace vertuno::web
