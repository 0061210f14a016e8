#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "board/cell_pictures.h"
#include "machine/view.h"

namespace vertuno {
class Machine;
}

namespace vertuno::web {

class WebPlatform;

// The machine's windows as elements of the page: the cabinet, the side windows, message boxes
// and the menu. It turns the page's events into the machine's handlers.
class WebView : public View {
 public:
  explicit WebView(WebPlatform& platform);
  void attach(Machine& machine) { machine_ = &machine; }

  void dispatch(const emscripten::val& event);

  Answer messageBox(const std::string& text, const std::string& title, MessageStyle style) override;
  void showMachineWindow() override;
  void raiseMachineWindow() override;
  MenuChoice popupMainMenu(std::optional<Point> at) override;
  void closeMainMenu() override;
  void showInfoWindow() override;
  void hideInfoWindow() override;
  void showAboutWindow() override;
  void hideAboutWindow() override;
  bool handDragToDesktop(Point moved) override;
  void moveMachineWindowBy(Point offset) override;
  void changed(Change what) override;

 private:
  void showCells();
  void showLabels();
  struct PagePicture {
    int width;
    int height;
    std::vector<std::uint8_t> rgba;
  };
  // A board cell at the screen's current scale, drawn once.
  const PagePicture& picture(CellPicture shown);

  Machine* machine_ = nullptr;
  WebPlatform& platform_;
  std::optional<Answer> answer_;
  std::optional<MenuChoice> menuChoice_;
  // Keyed by picture and scale.
  std::map<std::pair<int, int>, PagePicture> pictures_;
};

}  // namespace vertuno::web
