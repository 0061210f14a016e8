#pragma once

#include <string>

namespace vertuno::windows {
class FileClaim;
class HeldFile;
}  // namespace vertuno::windows

namespace vertuno::win32 {

// Where this start keeps the money, by the machine's rule, from what it finds: the `installed`
// marker the installer writes beside vertuno.exe, whether the program's folder can be written,
// and the player's stand-in for that folder under %APPDATA%\Vertuno.
struct TotalsLocation {
  std::wstring file;
  // A file whose money this start carries into its own before play, both claimed first; empty
  // when there is none.
  std::wstring carryFrom;
  bool removeCarried = false;
};
TotalsLocation chooseTotalsFile(const std::wstring& programFolder);

// The carry: nothing is written when the source holds no money, and a source whose money could
// not be written stays.
void carryMoney(const TotalsLocation& location, const windows::HeldFile& from, const windows::HeldFile& to, windows::FileClaim& toClaim);

}  // namespace vertuno::win32
