#include "machine/machine.h"

namespace vertuno {

void Machine::Money() {
  setIdleTicksToZero();
  for (int step = 222; step <= 232; step += 6) {
    host_.pumpEvents();
    state_.CoinLeft = 92.5;
    state_.CoinTop = step;
    host_.changed(Change::Coin);
    Wait(0.001);
  }
  state_.CoinLeft = ParkedLeft;
  host_.changed(Change::Coin);
}

}  // namespace vertuno
