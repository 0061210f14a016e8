#include <cmath>

#include "machine/machine.h"

namespace vertuno {

namespace {

int millisecondsHalfToEven(double seconds) {
  // Seconds such as 0.0025 are not exact in binary; a halfway interval is still a halfway one.
  const double ms = std::round(seconds * 1e9) / 1e6;
  const double below = std::floor(ms);
  const double fraction = ms - below;
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2) != 0)) rounded = below + 1;
  return static_cast<int>(rounded);
}

}  // namespace

void Machine::Wait(double seconds) {
  if (state_.StartupFlag != "w") seconds += 0.05;
  if (state_.FastHold == "on") seconds = 0.0005;
  state_.Timer1Interval = millisecondsHalfToEven(seconds);
  if (state_.Timer1Interval > 0) platform_.armWaitTimer(state_.Timer1Interval);
  // Blocks for the next event rather than polling; the shared timer's tick ends this wait and
  // every wait it is nested in.
  while (state_.Timer1Interval > 0) platform_.waitForEvents();
  platform_.disarmWaitTimer();
}

void Machine::Timer1_Timer() {
  state_.Timer1Interval = 0;
  platform_.disarmWaitTimer();
}

}  // namespace vertuno
