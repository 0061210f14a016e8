#include "machine/qt_host.h"
#include "machine/run_game.h"

int main(int argc, char** argv) {
  return vertuno::runGame(argc, argv, [](const QString& programFolder, const QString& totalsFile) {
    return std::make_unique<vertuno::QtHost>(programFolder, totalsFile);
  });
}
