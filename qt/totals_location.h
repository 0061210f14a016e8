#pragma once

#include <QString>

#include "stats/money_place.h"

namespace vertuno::qt {

// Where this start keeps the money, by the machine's rule, from what it finds: the `installed`
// marker beside the program, whether the program's folder can be written, and the user's
// stand-in for that folder. Paths in the file system's own encoding.
TotalsLocation chooseTotalsFile(const QString& programFolder);

}  // namespace vertuno::qt
