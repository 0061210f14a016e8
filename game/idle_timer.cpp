#include "game/numeric_text.h"
#include "machine/machine.h"

namespace vertuno {

void Machine::Timer2_Timer() {
  if (openMessageBoxes_ > 0) return;
  const bool startsDemo = idleTickStartsDemo();
  addTo(state_.IdleTicks, 1);
  if (startsDemo) Muzik();
}

bool Machine::idleTickStartsDemo() const {
  if (openMessageBoxes_ > 0) return false;
  const auto ticks = readNumber(state_.IdleTicks);
  return ticks && *ticks + 1 > 8;
}

}  // namespace vertuno
