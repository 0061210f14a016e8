// The game with the wait a polling loop would have: dispatch pending events once, read the
// interval, again, keeping a processor busy for the whole wait. For comparison only.
#include "machine/qt_host.h"
#include "machine/run_game.h"

namespace {

class SpinningHost final : public vertuno::QtHost {
 public:
  using QtHost::QtHost;
  void waitForEvents() override { pumpEvents(); }
};

}  // namespace

int main(int argc, char** argv) {
  return vertuno::runGame(argc, argv, [](const QString& programFolder, const QString& totalsFile) {
    return std::make_unique<SpinningHost>(programFolder, totalsFile);
  });
}
