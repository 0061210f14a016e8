#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "machine/machine.h"
#include "machine/view.h"

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

 private:
  struct HotSpot {
    RECT area;
    std::function<void()> onPress, onRelease, onClick, onDoubleClick;
  };

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void paint();
  void applyOutline();
  void useFace();
  HotSpot* spotAt(POINT point);
  void buttonDown(MouseButton button, POINT point, bool doubleClick);
  void buttonUp(MouseButton button, POINT point);
  RECT coinRect() const;
  HWND addText(int id, RECT area, HFONT font);

  Machine& machine_;
  HWND window_ = nullptr;
  std::array<HBITMAP, 2> faces_{};
  HBRUSH faceBrush_ = nullptr;  // the face as a pattern, behind each text
  HFONT purseFont_ = nullptr, bannerFont_ = nullptr, prizeFont_ = nullptr, wordFont_ = nullptr;
  HWND purse_ = nullptr, winBanner_ = nullptr, prizeAmount_ = nullptr, coinWord_ = nullptr;
  std::array<HotSpot, 5> spots_;
  HotSpot* pressedSpot_ = nullptr;
  bool inDoubleClick_ = false;
  POINT pressedAt_{};  // on the screen, where the cabinet was last pressed
  RECT paintedCoin_{};
};

}  // namespace vertuno::win32
