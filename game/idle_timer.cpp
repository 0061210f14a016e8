#include "game/numeric_text.h"
#include "machine/machine.h"

namespace vertuno {

void Machine::Timer2_Timer() {
  if (openMessageBoxes_ > 0) return;
  addTo(state_.IdleTicks, 1);
  if (auto ticks = readNumber(state_.IdleTicks); ticks && *ticks > 8) Muzik();
}

}  // namespace vertuno
