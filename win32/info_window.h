#pragma once

#include "machine/machine.h"
#include "win32/side_window.h"

namespace vertuno::win32 {

// The info window, Form2: the machine's counters beside a picture of its coins.
class InfoWindow : public SideWindow {
 public:
  InfoWindow(Machine& machine, HWND owner);
  void refresh();

 private:
  void closed() override;

  Machine& machine_;
};

}  // namespace vertuno::win32
