#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace vertuno::qt {

class QtPlatform;

using PlatformMaker = std::function<std::unique_ptr<QtPlatform>(const QString& programFolder,
                                                                const QString& totalsFile)>;

// The whole program: the application, the machine and its windows. The benchmark of a
// spinning wait puts the game on a platform of its own; the game itself takes the default.
int runGame(int argc, char** argv, const PlatformMaker& makePlatform = {});

}  // namespace vertuno::qt
