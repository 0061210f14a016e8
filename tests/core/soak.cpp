// A million plays of the core against the fake host, checking at every play that no coin is
// made or lost: normal and demo face, forced 777s, the fast button, emptied machines and
// purses started over.  soak [PLAYS]
#include <cstdio>
#include <cstdlib>
#include <random>

#include "game/judging.h"
#include "game/numeric_text.h"
#include "tests/core/fake_host.h"

namespace {

using vertuno::testing::FakeHost;

long number(const std::string& text) { return static_cast<long>(*vertuno::readNumber(text)); }

int fail(long play, const char* what, long expected, long actual) {
  std::fprintf(stderr, "play %ld: %s: expected %ld, got %ld\n", play, what, expected, actual);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const long plays = argc > 1 ? std::atol(argv[1]) : 1'000'000;
  std::mt19937_64 chance(2026);
  FakeHost host;
  vertuno::Machine& machine = host.machine();
  vertuno::MachineState& state = host.state();
  machine.Form_Load();
  machine.info();

  long restarts = 0, refills = 0, forced = 0, demo = 0, fast = 0;
  for (long play = 0; play < plays; ++play) {
    const bool demoFace = chance() % 10 == 0;
    const bool force = chance() % 50 == 0;
    const bool fastButton = chance() % 4 == 0;
    if (chance() % 500 == 0) state.Info.MachineMoney = std::to_string(chance() % 200);
    state.CabinetFace = demoFace ? vertuno::Face::DemoFace : vertuno::Face::NormalFace;
    if (force) machine.Label7_DblClick();
    if (fastButton) host.at(host.seconds() + 0.1, [](vertuno::Machine& m) { m.Label8_MouseDown(); });

    const long money = number(state.Info.MachineMoney);
    const long purse = number(state.PlayerCoins);
    const long coinsIn = number(state.CoinsInSinceStart);
    const long coinsWon = number(state.CoinsWonSinceStart);
    const long inserted = number(state.Info.CoinsInserted);
    const long won = number(state.Info.CoinsWon);

    machine.Label1_Click();
    if (fastButton) machine.Label8_MouseUp();

    if (purse == 0) {  // the empty-purse question, answered Yes by the fake host
      ++restarts;
      if (number(state.PlayerCoins) != 20)
        return fail(play, "purse after starting over", 20, number(state.PlayerCoins));
      continue;
    }
    const bool counted = !force;
    const long prize = vertuno::prizeFor(state.Combination).value_or(0);
    long paid = prize;
    long expectedMoney = money;
    if (counted) {
      expectedMoney = money + 1 - prize;
      if (prize > 0 && expectedMoney <= 0) {
        expectedMoney = 1000;
        paid = prize + 10;
        ++refills;
      }
    }
    forced += force;
    demo += demoFace;
    fast += fastButton;
    const bool paidPlay = !demoFace;
    if (number(state.Info.MachineMoney) != expectedMoney)
      return fail(play, "machine money", expectedMoney, number(state.Info.MachineMoney));
    const long expectedPurse = purse - (paidPlay ? 1 : 0) + (paidPlay ? paid : 0);
    if (number(state.PlayerCoins) != expectedPurse)
      return fail(play, "purse", expectedPurse, number(state.PlayerCoins));
    if (number(state.PlayerCoins) < 0) return fail(play, "purse below zero", 0, number(state.PlayerCoins));
    if (number(state.CoinsInSinceStart) != coinsIn + (counted ? 1 : 0))
      return fail(play, "coins in", coinsIn + counted, number(state.CoinsInSinceStart));
    if (number(state.CoinsWonSinceStart) != coinsWon + (counted ? paid : 0))
      return fail(play, "coins won", coinsWon + (counted ? paid : 0), number(state.CoinsWonSinceStart));
    if (number(state.Info.CoinsInserted) != inserted + (counted && paidPlay ? 1 : 0))
      return fail(play, "coins inserted", inserted + 1, number(state.Info.CoinsInserted));
    if (number(state.Info.CoinsWon) != won + (counted && paidPlay ? paid : 0))
      return fail(play, "coins won shown", won + paid, number(state.Info.CoinsWon));
    if (!state.PlayBusy.empty() || state.Force777 != "g") return fail(play, "released", 0, 1);
  }
  std::printf(
      "soak: %ld plays, %ld forced 777s, %ld on the demo face, %ld with the fast button, "
      "%ld refills, %ld restarts; every coin accounted for. %.0f virtual hours\n",
      plays, forced, demo, fast, refills, restarts, host.seconds() / 3600);
  std::printf("1 passed, 0 failed\n");
  return 0;
}
