#pragma once

namespace vertuno::qt {

// The whole program: the application, the machine and its windows.
int runGame(int argc, char** argv);

}  // namespace vertuno::qt
