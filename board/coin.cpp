#include "machine/machine.h"

namespace vertuno {

void Machine::Money() {
  setIdleTicksToZero();
  for (int step = 222; step <= 232; step += 6) {
    platform_.pumpEvents();
    state_.CoinLeft = 92.5;
    state_.CoinTop = step;
    view_.changed(Change::Coin);
    Wait(0.001);
  }
  state_.CoinLeft = ParkedLeft;
  view_.changed(Change::Coin);
}

}  // namespace vertuno
