#pragma once

#include <QString>

namespace vertuno::posix {
class FileClaim;
}

namespace vertuno::qt {

// Where the totals file lives, decided once at start-up. An installed game keeps it in the
// user's own data folder always. A game run from a folder of its own (the build tree, a copied
// folder) keeps it beside the program when it can write there, and otherwise in the user's
// data folder, which a first run there starts from the program folder's file.
struct TotalsLocation {
  QString file;
  // Where a start from the same folder keeps the money when it can (or cannot) write beside
  // the program; empty for an installed game, which has one place only.
  QString otherPlace;
};
TotalsLocation chooseTotalsFile(const QString& programFolder);

// A folder that could not be written at one start and can at the next would otherwise leave
// the money going two ways, one in each place: the file this start uses takes the other
// place's money when that was saved later. Done under the claim, as any save.
void adoptLaterMoney(const TotalsLocation& location, posix::FileClaim& claim);

}  // namespace vertuno::qt
