#pragma once

#include <string>

namespace vertuno::posix {

// Where in a claimed file the claim lies: one byte far past any content, so the claim never
// blocks reading or writing the file. The Windows game takes the same byte with LockFileEx,
// which Wine turns into a POSIX lock on the same file, so the two exclude each other too.
constexpr long long ClaimedByteOffset = 0x4000000000000000LL;

// A claim on a file that the system drops when the process ends, however it ends: a lock on the
// open file itself, not on a name, so every symbolic and hard link to the file sees it, and a
// copy of the file carries none.
class FileClaim {
 public:
  enum class Outcome { Taken, HeldElsewhere, Impossible };

  FileClaim() = default;
  ~FileClaim();
  FileClaim(const FileClaim&) = delete;
  FileClaim& operator=(const FileClaim&) = delete;

  // Claims the file, creating it empty when there is none. Impossible where the file cannot be
  // opened or its file system keeps no locks: then there is nothing to exclude with.
  Outcome take(const std::string& path);

  // A replace renames a new file over the claimed one; the claim goes to the new file before
  // it takes the name, so a start never finds the name unclaimed. False when the claim could
  // not be taken on it (then the old file stays claimed).
  bool prepareSuccessor(int successorFd);
  // After the rename: the new file's claim stays and the old one's goes; or, when the rename
  // failed, the other way round.
  void settleSuccessor(bool renamed);
  // The claimed file's own path, links resolved; empty while nothing is claimed.
  const std::string& claimedPath() const { return claimedPath_; }

 private:
  std::string claimedPath_;
  int fd_ = -1;
  int successorFd_ = -1;
};

}  // namespace vertuno::posix
