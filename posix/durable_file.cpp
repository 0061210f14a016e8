#include "posix/durable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>

#include "posix/file_claim.h"
#include "stats/temporary_file.h"

namespace vertuno::posix {

namespace fs = std::filesystem;

namespace {

fs::path followLinks(const fs::path& path) {
  std::error_code error;
  fs::path target = fs::weakly_canonical(path, error);
  return error ? path : target;
}

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::error_code lastError() { return {errno, std::generic_category()}; }

// What a save may replace: nothing through another user's link (in a folder others may write,
// a planted link would make this user write where the planter chose), and only a regular file
// of this user's own, or none.
std::error_code refusedTarget(const std::string& path, const fs::path& target) {
  struct stat named {};
  if (::lstat(path.c_str(), &named) == 0 && S_ISLNK(named.st_mode) && named.st_uid != ::geteuid()) {
    return std::make_error_code(std::errc::operation_not_permitted);
  }
  struct stat file {};
  if (::stat(target.c_str(), &file) != 0) return errno == ENOENT ? std::error_code{} : lastError();
  if (!S_ISREG(file.st_mode)) return std::make_error_code(std::errc::operation_not_permitted);
  if (file.st_uid != ::geteuid()) return std::make_error_code(std::errc::operation_not_permitted);
  return {};
}

}  // namespace

std::error_code replaceFileDurably(const std::string& path, const std::string& bytes, FileClaim* claim) {
  const fs::path target = followLinks(path);
  if (const auto refused = refusedTarget(path, target)) return refused;
  const fs::path temporary = temporaryFor(target, ::getpid());
  // New and exclusive: whatever already lies under that name, a link above all, is never written.
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return lastError();
  struct stat old {};
  const bool modeKept = ::stat(target.c_str(), &old) != 0 || ::fchmod(fd, old.st_mode & 07777) == 0;
  const bool written = modeKept && writeAll(fd, bytes) && ::fsync(fd) == 0;
  std::error_code error = written ? std::error_code{} : lastError();
  const bool carriesClaim = claim && claim->claimedPath() == target.string();
  if (!error && carriesClaim && !claim->prepareSuccessor(fd)) error = lastError();
  if (::close(fd) != 0 && !error) error = lastError();
  if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) error = lastError();
  if (carriesClaim) claim->settleSuccessor(!error);
  if (error) {
    ::unlink(temporary.c_str());
    return error;
  }
  syncFolder(target.parent_path());
  return {};
}

void removeStaleTemporaries(const std::string& path) {
  vertuno::removeStaleTemporaries(followLinks(path), [](long processId) {
    return processId == ::getpid() || (::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH);
  });
}

}  // namespace vertuno::posix
