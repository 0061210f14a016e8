#pragma once

#include "stats/side_window_win32.h"

namespace vertuno {

// The about window, Form3: the emblem, the program's name and its notice.
class AboutWindow : public SideWindow {
 public:
  explicit AboutWindow(HWND owner);
  ~AboutWindow() override;

 private:
  HFONT headingFont_ = nullptr;
};

}  // namespace vertuno
