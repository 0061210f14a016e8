#pragma once

#include "win32/side_window.h"

namespace vertuno::win32 {

// The about window, Form3: the emblem, the program's name and its notice.
class AboutWindow : public SideWindow {
 public:
  explicit AboutWindow(HWND owner);
  ~AboutWindow() override;

 private:
  HFONT headingFont_ = nullptr;
};

}  // namespace vertuno::win32
