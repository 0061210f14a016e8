#pragma once

#include <windows.h>

#include <array>

#include "machine/layout.h"
#include "machine/machine.h"
#include "machine/view.h"
#include "win32/display_scale.h"

namespace vertuno::win32 {

// The machine window, Form1: a popup cut to the cabinet's outline, painting the face, the
// board cells and the falling coin, with its texts as static controls and the hot spots as
// areas of its own surface.
class MachineWindow {
 public:
  MachineWindow(Machine& machine, HINSTANCE instance);
  ~MachineWindow();
  MachineWindow(const MachineWindow&) = delete;
  MachineWindow& operator=(const MachineWindow&) = delete;

  HWND handle() const { return window_; }
  void refresh(Change what);
  // While the machine menu's own loop runs, a demo may not start inside it.
  void setMenuOpen(bool open) { menuOpen_ = open; }

 private:
  struct HotSpot {
    RECT area;  // at the display's scale
    const HotSpotLayout* layout;
  };
  // A text on the cabinet, numbered as the machine's labels are.
  struct Text {
    HWND control = nullptr;
    HFONT font = nullptr;
    const CabinetLabel* label = nullptr;
  };

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void paint();
  void useScale(DisplayScale scale);
  void applyOutline();
  void useFace();
  HotSpot* spotAt(POINT point);
  bool keepsPress(POINT point) const;
  void buttonDown(MouseButton button, POINT point, bool doubleClick);
  void buttonUp(MouseButton button, POINT point);
  RECT coinRect() const;
  Text addText(const CabinetLabel& label);
  void call(void (Machine::*handler)()) {
    if (handler) (machine_.*handler)();
  }

  Machine& machine_;
  HWND window_ = nullptr;
  DisplayScale scale_;
  std::array<HBITMAP, 2> faces_{};
  HBRUSH faceBrush_ = nullptr;  // the face as a pattern, behind each text
  Text purse_, winBanner_, prizeAmount_, coinWord_;
  std::array<HotSpot, machine_window::HotSpots.size()> spots_{};
  HotSpot* pressedSpot_ = nullptr;
  bool inDoubleClick_ = false;
  bool menuOpen_ = false;
  bool pressKept_ = false;  // the buttons held were pressed on a text or the board
  POINT pressedAt_{};  // on the screen, where the cabinet was last pressed
  RECT paintedCoin_{};
};

}  // namespace vertuno::win32
