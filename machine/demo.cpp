#include <cmath>

#include "machine/machine.h"

namespace vertuno {

void Machine::Muzik() {
  if (state_.CoinLeft != ParkedLeft) setIdleTicksToZero();
  if (state_.CabinetFace == Face::DemoFace) return;
  setFace(Face::DemoFace);
  state_.PlayerCoinsVisible = false;
  view_.changed(Change::PlayerCoins);
  platform_.reseedRandom();
  const int plays = static_cast<int>(std::floor(platform_.nextRandom() * 48 + 3));
  for (int i = 0; i < plays; ++i) {
    Label1_Click();
    Wait(std::floor(platform_.nextRandom() * 2.1 + 1));
  }
  state_.PlayerCoinsVisible = true;
  view_.changed(Change::PlayerCoins);
  Prostoy();
}

void Machine::Prostoy() { setFace(Face::NormalFace); }

}  // namespace vertuno
