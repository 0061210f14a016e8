#include "machine/run_game_qt.h"

int main(int argc, char** argv) { return vertuno::runGame(argc, argv); }
