#pragma once

#include <string>

#include "stats/one_machine_per_file.h"

namespace vertuno::posix {

class HeldFile;

// Where in a claimed file the claim lies: one byte far past any content, so the claim never
// blocks reading or writing the file. The Windows game takes the same byte with LockFileEx,
// which Wine turns into a POSIX lock on the same file, so the two exclude each other too.
constexpr long long ClaimedByteOffset = 0x4000000000000000LL;

// A claim on a file that the system drops when the process ends, however it ends: a lock on the
// open file itself, not on a name, so every name of the file sees it, and a copy of the file
// carries none.
class FileClaim {
 public:
  using Outcome = MoneyFiles::Claim;

  FileClaim() = default;
  ~FileClaim();
  FileClaim(const FileClaim&) = delete;
  FileClaim& operator=(const FileClaim&) = delete;

  // Claims the file, creating it empty when there is none (under root, for the folder's owner).
  // It never opens a link: a name swapped for one meanwhile is not claimed.
  Outcome take(const HeldFile& file);

  // A replace renames a new file over the claimed one; the claim goes to the new file before
  // it takes the name, so a start never finds the name unclaimed. False when the claim could
  // not be taken on it (then the old file stays claimed).
  bool prepareSuccessor(int successorFd);
  // After the rename: the new file's claim stays and the old one's goes; or, when the rename
  // failed, the other way round.
  void settleSuccessor(bool renamed);
  // The claimed file's open descriptor, or -1.
  int descriptor() const { return fd_; }

 private:
  int fd_ = -1;
  int successorFd_ = -1;
};

}  // namespace vertuno::posix
