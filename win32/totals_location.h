#pragma once

#include <string>

namespace vertuno::win32 {

class FileClaim;

// data1.ini beside the program when that folder may be written, as the machine keeps it;
// otherwise, and always for a game installed under Program Files, the user's own copy under
// %APPDATA%\Vertuno, first taken from the program's.
struct TotalsLocation {
  std::wstring file;
  // Where a start from the same folder keeps the money when it can (or cannot) write beside the
  // program; empty for an installed game, which has one place only.
  std::wstring otherPlace;
};
TotalsLocation chooseTotalsFile(const std::wstring& programFolder);

// A folder that could not be written at one start and can at the next would otherwise leave
// the money going two ways, one in each place: the file this start uses takes the other
// place's money when that was saved later. Done under the claim, as any save.
void adoptLaterMoney(const TotalsLocation& location, FileClaim& claim);

}  // namespace vertuno::win32
