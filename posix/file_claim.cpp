#include "posix/file_claim.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

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
bool stillNamedBy(int fd, const std::string& path) {
  struct stat open {}, named {};
  return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
         open.st_ino == named.st_ino;
}

}  // namespace

FileClaim::~FileClaim() {
  if (fd_ >= 0) ::close(fd_);
  if (successorFd_ >= 0) ::close(successorFd_);
}

FileClaim::Outcome FileClaim::take(const std::string& path) {
  // Another user's link could have the file made wherever it points; a save refuses it too.
  struct stat named {};
  if (::lstat(path.c_str(), &named) == 0 && S_ISLNK(named.st_mode) && named.st_uid != ::geteuid()) {
    return Outcome::Impossible;
  }
  constexpr int Attempts = 10;
  for (int attempt = 0; attempt < Attempts; ++attempt) {
    short type = F_WRLCK;
    // O_NONBLOCK: a name that leads to a pipe must not hold the start up.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
      fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
      type = F_RDLCK;
    }
    if (fd < 0) return Outcome::Impossible;
    struct stat file {};
    if (::fstat(fd, &file) != 0 || !S_ISREG(file.st_mode)) {
      ::close(fd);
      return Outcome::Impossible;
    }
    if (!lockClaimedByte(fd, type)) {
      const int error = errno;
      ::close(fd);
      return error == EAGAIN || error == EACCES ? Outcome::HeldElsewhere : Outcome::Impossible;
    }
    if (type == F_RDLCK && othersHoldClaimedByte(fd)) {
      ::close(fd);
      return Outcome::HeldElsewhere;
    }
    if (stillNamedBy(fd, path)) {
      std::error_code error;
      const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
      claimedPath_ = error ? path : resolved.string();
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
