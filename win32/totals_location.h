#pragma once

#include <string>

namespace vertuno::win32 {

// data1.ini beside the program when that folder may be written, as the machine keeps it;
// otherwise, and always for a game installed under Program Files, the user's own copy under
// %APPDATA%\Vertuno, first taken from the program's.
std::wstring chooseTotalsFile(const std::wstring& programFolder);

}  // namespace vertuno::win32
