// The core on its own: plays per second against a lean virtual-clock host, and the mean prize
// per play measured over those plays next to the exact value of the rules.
//   core_bench [PLAYS]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "game/judging.h"
#include "game/numeric_text.h"
#include "machine/machine.h"

namespace {

// Time passes only in waits, and jumps straight to the wait timer's tick.
class VirtualClockHost final : public vertuno::Platform, public vertuno::View {
 public:
  vertuno::Machine* machine = nullptr;
  std::mt19937_64 random{1};
  bool timerArmed = false;

  void pumpEvents() override {}
  void waitForEvents() override {
    if (timerArmed) machine->Timer1_Timer();
  }
  void armWaitTimer(int) override { timerArmed = true; }
  void disarmWaitTimer() override { timerArmed = false; }
  vertuno::Answer messageBox(const std::string&, const std::string&, vertuno::MessageStyle) override {
    return vertuno::Answer::Yes;
  }
  void playSound(const std::string&) override {}
  void reseedRandom() override {}
  double nextRandom() override { return static_cast<double>(random() >> 11) * 0x1.0p-53; }
  std::string totalsFilePath() override { return "/nonexistent/data1.ini"; }
  void showMachineWindow() override {}
  void raiseMachineWindow() override {}
  vertuno::MenuChoice popupMainMenu(std::optional<vertuno::Point>) override { return vertuno::MenuChoice::None; }
  void closeMainMenu() override {}
  void showInfoWindow() override {}
  void hideInfoWindow() override {}
  void showAboutWindow() override {}
  void hideAboutWindow() override {}
  bool handDragToDesktop(vertuno::Point) override { return true; }
  void moveMachineWindowBy(vertuno::Point) override {}
  [[noreturn]] void endProgram(int) override { std::exit(1); }
  std::optional<std::string> readFile(const std::string&, std::size_t) override { return std::nullopt; }
  std::error_code replaceFile(const std::string&, const std::string&) override { return {}; }
  void changed(vertuno::Change) override {}
};

// Every draw of the four digits and the special number, each equally likely.
double exactMeanPrize() {
  double total = 0;
  for (int d = 0; d < 10000; ++d) {
    const int first = d / 1000, second = d / 100 % 10, third = d / 10 % 10, spare = d % 10;
    for (int special = 0; special <= 100; ++special) {
      int a = first, b = second, c = third;
      if (special == 1) a = 7, b = 0, c = 7;
      if (a == b && b != c) c = spare;
      const std::string combination{static_cast<char>('0' + a), static_cast<char>('0' + b), static_cast<char>('0' + c)};
      total += vertuno::prizeFor(combination).value_or(0);
    }
  }
  return total / (10000.0 * 101);
}

}  // namespace

int main(int argc, char** argv) {
  const long plays = argc > 1 ? std::atol(argv[1]) : 1'000'000;
  VirtualClockHost host;
  vertuno::Machine machine(host, host);
  host.machine = &machine;
  machine.Form_Load();
  machine.info().MachineMoney = "1000000000000";  // never emptied: prizes as the rules give them

  double sum = 0, sumOfSquares = 0;
  const auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < plays; ++i) {
    machine.state().PlayerCoins = "1000";
    const double before = *vertuno::readNumber(machine.state().CoinsWonSinceStart);
    machine.Label1_Click();
    const double prize = *vertuno::readNumber(machine.state().CoinsWonSinceStart) - before;
    sum += prize;
    sumOfSquares += prize * prize;
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  const double mean = sum / static_cast<double>(plays);
  const double deviation = std::sqrt(sumOfSquares / static_cast<double>(plays) - mean * mean);
  const double halfWidth = 2.576 * deviation / std::sqrt(static_cast<double>(plays));
  std::printf("core: %ld plays in %.3f s, %.0f plays per second\n", plays, elapsed.count(),
              static_cast<double>(plays) / elapsed.count());
  std::printf("mean prize per play: measured %.4f (99%% interval %.4f to %.4f), exact %.6f\n", mean, mean - halfWidth,
              mean + halfWidth, exactMeanPrize());
  return 0;
}
