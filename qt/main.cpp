#include "qt/run_game.h"

int main(int argc, char** argv) { return vertuno::qt::runGame(argc, argv); }
