#pragma once

#include "machine/machine.h"
#include "win32/side_window.h"

namespace vertuno::win32 {

// The info window, Form2: the machine's counters beside a picture of its coins.
class InfoWindow : public SideWindow {
 public:
  InfoWindow(Machine& machine, HWND owner);
  ~InfoWindow() override;
  void refresh();

 private:
  void command(int id) override;
  void closed() override;

  Machine& machine_;
  HFONT valueFont_ = nullptr;
  HWND coinsInserted_ = nullptr, coinsWon_ = nullptr, machineMoney_ = nullptr, takings_ = nullptr;
};

}  // namespace vertuno::win32
