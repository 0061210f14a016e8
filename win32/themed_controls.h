#pragma once

#include <windows.h>

namespace vertuno::win32 {

// The common controls' themed look (version 6) for the controls made while one of these lives:
// the side windows' buttons and the message boxes. The cabinet has no such control, so the game
// starts without loading them.
class ThemedControls {
 public:
  ThemedControls();
  ~ThemedControls();
  ThemedControls(const ThemedControls&) = delete;
  ThemedControls& operator=(const ThemedControls&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

}  // namespace vertuno::win32
