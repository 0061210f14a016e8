#include "posix/file_claim.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "posix/held_file.h"

namespace vertuno::posix {

namespace {

struct flock claimedByte(short type) {
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = ClaimedByteOffset;
  range.l_len = 1;
  return range;
}

bool lockClaimedByte(int fd, short type) {
  struct flock range = claimedByte(type);
  return ::fcntl(fd, F_OFD_SETLK, &range) == 0;
}

// A file that can only be read takes a shared lock, which others could share: it is ours alone
// only when no one else holds one.
bool othersHoldClaimedByte(int fd) {
  struct flock range = claimedByte(F_WRLCK);
  return ::fcntl(fd, F_OFD_GETLK, &range) != 0 || range.l_type != F_UNLCK;
}

// The name may have been given to another file between the open and the lock (a replace by
// the machine that held it): the claim is only good on the file the name still names.
bool stillNamedBy(int fd, const HeldFile& file) {
  struct stat open {
  }, named{};
  return ::fstat(fd, &open) == 0 && ::fstatat(file.folder(), file.name().c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

constexpr int OpenFlags = O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK;  // a pipe must not hold the start up

// Opens the file without following a link, creating it when there is none. The type of lock a
// file opened this way can take goes to lockType.
int openClaimed(const HeldFile& file, short& lockType) {
  const char* name = file.name().c_str();
  lockType = F_WRLCK;
  int fd = ::openat(file.folder(), name, O_RDWR | OpenFlags);
  if (fd < 0 && errno == ENOENT) {
    fd = ::openat(file.folder(), name, O_RDWR | O_CREAT | O_EXCL | OpenFlags, 0644);
    struct stat folder {};
    if (fd >= 0 && ::geteuid() == 0 && ::fstat(file.folder(), &folder) == 0) {
      [[maybe_unused]] const int given = ::fchown(fd, folder.st_uid, folder.st_gid);
    }
  }
  if (fd < 0 && (errno == EACCES || errno == EROFS)) {
    fd = ::openat(file.folder(), name, O_RDONLY | OpenFlags);
    lockType = F_RDLCK;
  }
  return fd;
}

}  // namespace

FileClaim::~FileClaim() {
  if (fd_ >= 0) ::close(fd_);
  if (successorFd_ >= 0) ::close(successorFd_);
}

FileClaim::Outcome FileClaim::take(const HeldFile& file) {
  if (!file.isHeld()) return Outcome::Impossible;
  constexpr int Attempts = 10;
  for (int attempt = 0; attempt < Attempts; ++attempt) {
    short type = F_WRLCK;
    const int fd = openClaimed(file, type);
    // A name taken between the look and the creation: look again.
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return Outcome::Impossible;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
      ::close(fd);
      return Outcome::Impossible;
    }
    if (!lockClaimedByte(fd, type)) {
      const int error = errno;
      ::close(fd);
      if (error == EAGAIN || error == EACCES) return Outcome::HeldElsewhere;
      return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL ? Outcome::LocksUnavailable
                                                                                          : Outcome::Impossible;
    }
    if (type == F_RDLCK && othersHoldClaimedByte(fd)) {
      ::close(fd);
      return Outcome::HeldElsewhere;
    }
    if (stillNamedBy(fd, file)) {
      fd_ = fd;
      return Outcome::Taken;
    }
    ::close(fd);
  }
  return Outcome::HeldElsewhere;
}

bool FileClaim::prepareSuccessor(int successorFd) {
  successorFd_ = ::fcntl(successorFd, F_DUPFD_CLOEXEC, 0);
  if (successorFd_ >= 0 && lockClaimedByte(successorFd_, F_WRLCK)) return true;
  if (successorFd_ >= 0) ::close(successorFd_);
  successorFd_ = -1;
  return false;
}

void FileClaim::settleSuccessor(bool renamed) {
  if (successorFd_ < 0) return;
  if (renamed) {
    ::close(fd_);
    fd_ = successorFd_;
  } else {
    ::close(successorFd_);
  }
  successorFd_ = -1;
}

}  // namespace vertuno::posix
