// Whole plays on the Qt platform: a normal play against the sum of the waits it asked for, and a
// play whose fast button is pressed once it has started.  play_timing [PLAYS]
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "machine/machine.h"
#include "qt/fonts.h"
#include "qt/machine_window.h"
#include "qt/platform.h"
#include "qt/view.h"

namespace {

// The Qt platform, adding up the intervals of the waits it is asked for.
class SummingPlatform final : public vertuno::qt::QtPlatform {
 public:
  using QtPlatform::QtPlatform;
  double askedMs = 0;
  void armWaitTimer(int intervalMs) override {
    askedMs += intervalMs;
    QtPlatform::armWaitTimer(intervalMs);
  }
};

double seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vertuno::qt::installMachineFonts();
  const int plays = argc > 1 ? std::atoi(argv[1]) : 20;
  SummingPlatform platform("/nonexistent", "/tmp/vertuno-bench.ini");
  vertuno::qt::QtView view;
  vertuno::Machine machine(platform, view);
  vertuno::qt::MachineWindow window(machine);
  view.attach(machine, window);
  platform.attach(machine);
  machine.Form_Load();

  double worst = 0, total = 0, asked = 0;
  for (int i = 0; i < plays; ++i) {
    machine.state().PlayerCoins = "100";
    platform.askedMs = 0;
    const auto start = std::chrono::steady_clock::now();
    machine.Label1_Click();
    const double took = seconds(std::chrono::steady_clock::now() - start);
    const double waits = platform.askedMs / 1000;
    worst = std::max(worst, took / waits - 1);
    total += took;
    asked += waits;
  }
  std::printf(
      "normal play x %d: %.3f s in all against %.3f s of waits asked: +%.2f%% "
      "(worst play +%.2f%%)\n",
      plays, total, asked, 100 * (total / asked - 1), 100 * worst);

  std::vector<double> afterPress;
  for (int i = 0; i < plays; ++i) {
    machine.state().PlayerCoins = "100";
    std::chrono::steady_clock::time_point pressed;
    // Pressed inside the coin-drop wait: from then on every wait of the play returns at once.
    QTimer::singleShot(10, [&] {
      machine.Label8_MouseDown();
      pressed = std::chrono::steady_clock::now();
    });
    platform.askedMs = 0;
    machine.Label1_Click();
    const auto end = std::chrono::steady_clock::now();
    // The coin-drop wait was armed before the press; the rest runs at full speed.
    afterPress.push_back(seconds(end - pressed) - (0.25 - 0.01));
    machine.Label8_MouseUp();
  }
  std::sort(afterPress.begin(), afterPress.end());
  std::printf("fast play x %d: after the coin-drop wait, median %.2f ms, longest %.2f ms\n", plays,
              1000 * afterPress[afterPress.size() / 2], 1000 * afterPress.back());
  return 0;
}
