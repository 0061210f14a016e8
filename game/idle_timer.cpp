#include "game/numeric_text.h"
#include "machine/machine.h"

namespace vertuno {

// A demo played inside the menu's own loop would leave the menu deaf until the demo's end, so
// the tick that starts it closes the menu and comes again once the menu's loop has returned.
void Machine::Timer2_Timer() {
  if (openMessageBoxes_ > 0) return;
  const bool startsDemo = idleTickStartsDemo();
  if (startsDemo && menuOpen_) {
    idleTickAfterMenu_ = true;
    view_.closeMainMenu();
    return;
  }
  addTo(state_.IdleTicks, 1);
  if (startsDemo) Muzik();
}

bool Machine::idleTickStartsDemo() const {
  if (openMessageBoxes_ > 0) return false;
  const auto ticks = readNumber(state_.IdleTicks);
  return ticks && *ticks + 1 > 8;
}

}  // namespace vertuno
