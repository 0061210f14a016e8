#pragma once

#include <windows.h>

#include <string>

#include "stats/one_machine_per_file.h"

namespace vertuno::windows {

class HeldFile;

// A claim on a file that the system drops when the process ends, however it ends: a lock on
// one byte of the open file far past any content, so the claim never blocks reading or writing
// the file, and every name of the file (a second drive letter, a junction, a hard link) sees
// it. It is the byte the Linux game locks; Wine turns this lock into a POSIX lock on the same
// file, so the two games exclude each other on one folder.
class FileClaim {
 public:
  using Outcome = MoneyFiles::Claim;  // never LocksUnavailable

  FileClaim() = default;
  ~FileClaim();
  FileClaim(const FileClaim&) = delete;
  FileClaim& operator=(const FileClaim&) = delete;

  // Claims the file, creating it empty when there is none. It never opens a link: an entry that
  // leads elsewhere is not claimed.
  Outcome take(const HeldFile& file);
  bool holdsFile() const { return file_ != INVALID_HANDLE_VALUE; }

  // A replace moves a new file over the claimed one; the claim goes to the new file before it
  // takes the name. False when it could not be taken there.
  bool prepareSuccessor(HANDLE successor);
  // Lets the old file go before the move, where the file system will not replace an open file.
  void letGoOfCurrent();
  // After the move: the new file's claim stays, or, when the move failed, goes.
  void settleSuccessor(bool moved);

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE successor_ = INVALID_HANDLE_VALUE;
};

}  // namespace vertuno::windows
