#pragma once

#include <QString>

namespace vertuno::qt {

// Where the totals file lives, decided once at start-up. An installed game keeps it in the
// user's own data folder always. A game run from a folder of its own (the build tree, a copied
// folder) keeps it beside the program when it can write there, and otherwise in the user's
// data folder, which a first run there starts from the program folder's file.
QString chooseTotalsFile(const QString& programFolder);

}  // namespace vertuno::qt
