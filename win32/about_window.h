#pragma once

#include "win32/side_window.h"

namespace vertuno::win32 {

// The about window, Form3: the emblem, the program's name and its notice.
class AboutWindow : public SideWindow {
 public:
  explicit AboutWindow(HWND owner) : SideWindow(about_window::Layout, owner) {}
};

}  // namespace vertuno::win32
