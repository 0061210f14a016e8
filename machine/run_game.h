#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace vertuno {

class QtHost;

using HostMaker = std::function<std::unique_ptr<QtHost>(const QString& programFolder,
                                                        const QString& totalsFile)>;

// The whole program: the application, the machine and its windows on the host that is made.
int runGame(int argc, char** argv, const HostMaker& makeHost);

}  // namespace vertuno
