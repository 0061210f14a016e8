#pragma once

#include <QString>

namespace vertuno {

// Where the totals file lives, decided once at start-up: beside the program when its folder
// can be written, otherwise in the user's own data folder, which a first run there starts
// from the program folder's file.
QString chooseTotalsFile(const QString& programFolder);

}  // namespace vertuno
