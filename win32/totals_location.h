#pragma once

#include <string>

#include "stats/money_place.h"

namespace vertuno::win32 {

// Where this start keeps the money, by the machine's rule, from what it finds: the `installed`
// marker the installer writes beside vertuno.exe, whether the program's folder can be written,
// and the player's stand-in for that folder under %APPDATA%\Vertuno. Paths in UTF-8.
TotalsLocation chooseTotalsFile(const std::wstring& programFolder);

}  // namespace vertuno::win32
