#include "win32/info_window.h"

namespace vertuno::win32 {

InfoWindow::InfoWindow(Machine& machine, HWND owner)
    : SideWindow(info_window::Layout, owner, &machine), machine_(machine) {
  showCounters(InfoFields{});  // the design captions, until the counters are loaded
}

void InfoWindow::refresh() {
  const MachineState& state = machine_.state();
  if (state.InfoLoaded) showCounters(state.Info);
}

void InfoWindow::closed() { machine_.closeInfoWindow(); }

}  // namespace vertuno::win32
