// The game with the wait a polling loop would have: dispatch pending events once, read the
// interval, again, keeping a processor busy for the whole wait. For comparison only.
#include "qt/platform.h"
#include "qt/run_game.h"

namespace {

class SpinningPlatform final : public vertuno::qt::QtPlatform {
 public:
  using QtPlatform::QtPlatform;
  void waitForEvents() override { pumpEvents(); }
};

}  // namespace

int main(int argc, char** argv) {
  return vertuno::qt::runGame(argc, argv, [](const QString& programFolder, const QString& totalsFile) {
    return std::make_unique<SpinningPlatform>(programFolder, totalsFile);
  });
}
