#pragma once

#include <QString>

namespace vertuno::posix {
class FileClaim;
class HeldFile;
}  // namespace vertuno::posix

namespace vertuno::qt {

// Where this start keeps the money, by the machine's rule, from what it finds: the `installed`
// marker beside the program, whether the program's folder can be written, and the user's
// stand-in for that folder.
struct TotalsLocation {
  QString file;
  // A file whose money this start carries into its own before play, both claimed first; empty
  // when there is none.
  QString carryFrom;
  bool removeCarried = false;
};
TotalsLocation chooseTotalsFile(const QString& programFolder);

// The carry: nothing is written when the source holds no money, and a source whose money could
// not be written stays.
void carryMoney(const TotalsLocation& location, const posix::HeldFile& from, const posix::HeldFile& to,
                posix::FileClaim& toClaim);

}  // namespace vertuno::qt
