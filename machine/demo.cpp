#include <cmath>

#include "machine/machine.h"
#include "machine/outlines.h"

namespace vertuno {

void Machine::Muzik() {
  if (state_.CoinLeft != ParkedLeft) setIdleTicksToZero();
  if (state_.CabinetFace == Face::DemoFace) return;
  setFace(Face::DemoFace);
  host_.setOutline(DemoOutline);
  state_.PlayerCoinsVisible = false;
  host_.changed(Change::PlayerCoins);
  host_.reseedRandom();
  const int plays = static_cast<int>(std::floor(host_.nextRandom() * 48 + 3));
  for (int i = 0; i < plays; ++i) {
    Label1_Click();
    Wait(std::floor(host_.nextRandom() * 2.1 + 1));
  }
  state_.PlayerCoinsVisible = true;
  host_.changed(Change::PlayerCoins);
  Prostoy();
}

void Machine::Prostoy() {
  setFace(Face::NormalFace);
  host_.setOutline(NormalOutline);
}

}  // namespace vertuno
