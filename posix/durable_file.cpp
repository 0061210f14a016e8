#include "posix/durable_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/temporary_file.h"
#include "posix/file_claim.h"
#include "posix/held_file.h"

namespace vertuno::posix {

namespace {

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::error_code lastError() { return {errno, std::generic_category()}; }

// In a folder others may write, another user's file is not ours to replace; in our own folder
// it is (a start with sudo by an earlier version left the player's file to root). Root saves
// for the folder's owner too: a start with sudo must not lock the player out.
bool isOwnedByUs(const struct stat& file, const struct stat& folder) {
  const uid_t us = ::geteuid();
  return file.st_uid == us || folder.st_uid == us || (us == 0 && file.st_uid == folder.st_uid);
}

// What a save may replace: a regular file of this user's own that its owner has not made
// read-only, or none.
std::error_code refusedTarget(const HeldFile& file, const struct stat& folder, struct stat& target, bool& exists) {
  exists = ::fstatat(file.folder(), file.name().c_str(), &target, AT_SYMLINK_NOFOLLOW) == 0;
  if (!exists) return errno == ENOENT ? std::error_code{} : lastError();
  if (!S_ISREG(target.st_mode) || !isOwnedByUs(target, folder)) {
    return std::make_error_code(std::errc::operation_not_permitted);
  }
  if ((target.st_mode & 0222) == 0) return std::make_error_code(std::errc::permission_denied);
  return {};
}

// New and exclusive: whatever already lies under the name, a link above all, is never written.
int createTemporary(const HeldFile& file, std::string& name) {
  for (int attempt = 0; attempt < platform::TemporaryNameAttempts; ++attempt) {
    name = platform::temporaryName(file.name(), ::getpid());
    const int fd = ::openat(file.folder(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

std::optional<std::string> readFile(const HeldFile& file, std::size_t largest) {
  if (!file.isHeld()) return std::nullopt;
  // O_NONBLOCK: a name that leads to a pipe must not hold the start up.
  const int fd =
      ::openat(file.folder(), file.name().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat opened {};
  std::optional<std::string> bytes;
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && static_cast<std::size_t>(opened.st_size) <= largest) {
    std::string content(largest + 1, '\0');
    std::size_t done = 0;
    ssize_t n = 0;
    while (done < content.size() && (n = ::read(fd, content.data() + done, content.size() - done)) > 0) {
      done += static_cast<std::size_t>(n);
    }
    if (n >= 0 && done <= largest) bytes = content.substr(0, done);
  }
  ::close(fd);
  return bytes;
}

std::error_code replaceFileDurably(const HeldFile& file, const std::string& bytes, FileClaim* claim) {
  if (!file.isHeld()) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (claim && claim->descriptor() < 0) claim = nullptr;  // nothing claimed to pass on
  struct stat folder {
  }, target{};
  bool exists = false;
  if (::fstat(file.folder(), &folder) != 0) return lastError();
  if (const auto refused = refusedTarget(file, folder, target, exists)) return refused;
  std::string temporary;
  const int fd = createTemporary(file, temporary);
  if (fd < 0) return lastError();
  bool kept = !exists || ::fchmod(fd, target.st_mode & 07777) == 0;
  if (kept && ::geteuid() == 0) {
    kept = exists ? ::fchown(fd, target.st_uid, target.st_gid) == 0 : ::fchown(fd, folder.st_uid, folder.st_gid) == 0;
  }
  const bool written = kept && writeAll(fd, bytes) && ::fsync(fd) == 0;
  std::error_code error = written ? std::error_code{} : lastError();
  if (!error && claim && !claim->prepareSuccessor(fd)) error = lastError();
  if (::close(fd) != 0 && !error) error = lastError();
  if (!error && ::renameat(file.folder(), temporary.c_str(), file.folder(), file.name().c_str()) != 0) {
    error = lastError();
  }
  if (claim) claim->settleSuccessor(!error);
  if (error) {
    ::unlinkat(file.folder(), temporary.c_str(), 0);
    return error;
  }
  ::fsync(file.folder());
  return {};
}

std::error_code removeFile(const HeldFile& file) {
  struct stat folder {
  }, target{};
  if (!file.isHeld() || ::fstat(file.folder(), &folder) != 0)
    return std::make_error_code(std::errc::bad_file_descriptor);
  if (::fstatat(file.folder(), file.name().c_str(), &target, AT_SYMLINK_NOFOLLOW) != 0) return lastError();
  if (!S_ISREG(target.st_mode) || !isOwnedByUs(target, folder)) {
    return std::make_error_code(std::errc::operation_not_permitted);
  }
  if (::unlinkat(file.folder(), file.name().c_str(), 0) != 0) return lastError();
  ::fsync(file.folder());
  return {};
}

void removeStaleTemporaries(const HeldFile& file) {
  if (!file.isHeld()) return;
  const int listing = ::openat(file.folder(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* folder = listing >= 0 ? ::fdopendir(listing) : nullptr;
  if (!folder) {
    if (listing >= 0) ::close(listing);
    return;
  }
  while (const dirent* entry = ::readdir(folder)) {
    const auto writer = platform::temporaryWriter(entry->d_name, file.name());
    if (!writer) continue;
    const bool gone = *writer == ::getpid() || (::kill(static_cast<pid_t>(*writer), 0) != 0 && errno == ESRCH);
    struct stat left {};
    if (gone && ::fstatat(file.folder(), entry->d_name, &left, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(left.st_mode) &&
        left.st_uid == ::geteuid()) {
      ::unlinkat(file.folder(), entry->d_name, 0);
    }
  }
  ::closedir(folder);
}

}  // namespace vertuno::posix
