// The real lengths of the machine's waits on the Qt host, and the processor they use:
//   wait_timing [SHORT_WAITS] [LONG_WAITS]
// Each wait is compared with its interval (51 ms for 0.001 s, 250 ms for 0.2 s).

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

#include "machine/machine.h"
#include "qt/fonts.h"
#include "qt/machine_window.h"
#include "qt/platform.h"
#include "qt/view.h"

namespace {

// The processor time of the whole process, every thread included.
double processorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

void measure(vertuno::Machine& machine, double seconds, double intervalMs, int count) {
  std::vector<double> overshootMs;
  const double cpuBefore = processorSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    const auto start = std::chrono::steady_clock::now();
    machine.Wait(seconds);
    const std::chrono::duration<double, std::milli> length = std::chrono::steady_clock::now() - start;
    overshootMs.push_back(length.count() - intervalMs);
  }
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
  std::sort(overshootMs.begin(), overshootMs.end());
  const auto at = [&](double q) { return overshootMs[static_cast<std::size_t>(q * (count - 1))]; };
  std::printf(
      "wait %.3f s (%g ms) x %d: shortest %+.3f ms, median %+.3f ms, p99 %+.3f ms, "
      "longest %+.3f ms, short %ld, CPU %.4f s per s\n",
      seconds, intervalMs, count, overshootMs.front(), at(0.5), at(0.99), overshootMs.back(),
      static_cast<long>(std::count_if(overshootMs.begin(), overshootMs.end(), [](double d) { return d < 0; })),
      (processorSeconds() - cpuBefore) / wall.count());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vertuno::qt::installMachineFonts();
  const int shortWaits = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int longWaits = argc > 2 ? std::atoi(argv[2]) : 200;
  vertuno::qt::QtPlatform platform("/nonexistent", "/tmp/vertuno-bench.ini");
  vertuno::qt::QtView view;
  vertuno::Machine machine(platform, view);
  vertuno::qt::MachineWindow window(machine);
  view.attach(machine, window);
  platform.attach(machine);
  machine.Form_Load();
  measure(machine, 0.001, 51, shortWaits);
  measure(machine, 0.2, 250, longWaits);
  return 0;
}
