#pragma once

#include <windows.h>

#include <array>
#include <vector>

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
  // The system's own move loop takes the drag over, once the window has caught up with the way
  // the pointer has come since the press.
  void handDragToDesktop(Point moved);

 private:
  // A text on the cabinet, numbered as the machine's labels are.
  struct Text {
    HWND control = nullptr;
    HFONT font = nullptr;
    const CabinetLabel* label = nullptr;
  };

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void forward(InputKind kind, MouseButton button, WPARAM keys, LPARAM at);
  // Draws the whole window off screen and copies this part of it to the target.
  void copyPicture(HDC target, RECT part, POINT to);
  void useScale(DisplayScale scale);
  void applyOutline();
  void useFace();
  RECT coinRect() const;

  Machine& machine_;
  HWND window_ = nullptr;
  HWND board_ = nullptr;  // draws the cells; a screen reader reads it out by its name
  DisplayScale scale_;
  std::array<HBITMAP, 2> faces_{};
  HBRUSH faceBrush_ = nullptr;  // the face as a pattern, behind each text
  std::vector<Text> texts_;
  RECT paintedCoin_{};
};

}  // namespace vertuno::win32
