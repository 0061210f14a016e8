#include "stats/durable_file_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <filesystem>
#include <string_view>

namespace vertuno {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view TemporarySuffix = ".new-";

fs::path followLinks(const fs::path& path) {
  std::error_code error;
  fs::path target = fs::weakly_canonical(path, error);
  return error ? path : target;
}

fs::path temporaryFor(const fs::path& target, long pid) {
  fs::path temporary = target;
  temporary += std::string(TemporarySuffix) + std::to_string(pid);
  return temporary;
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

}  // namespace

std::error_code replaceFileDurably(const std::string& path, const std::string& bytes) {
  const fs::path target = followLinks(path);
  const fs::path temporary = temporaryFor(target, ::getpid());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return lastError();
  struct stat old {};
  const bool modeKept = ::stat(target.c_str(), &old) != 0 || ::fchmod(fd, old.st_mode & 07777) == 0;
  const bool written = modeKept && writeAll(fd, bytes) && ::fsync(fd) == 0;
  std::error_code error = written ? std::error_code{} : lastError();
  if (::close(fd) != 0 && !error) error = lastError();
  if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) error = lastError();
  if (error) {
    ::unlink(temporary.c_str());
    return error;
  }
  syncFolder(target.parent_path());
  return {};
}

void removeStaleTemporaries(const std::string& path) {
  const fs::path target = followLinks(path);
  const std::string prefix = target.filename().string() + std::string(TemporarySuffix);
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(target.parent_path(), error)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(prefix)) continue;
    const std::string digits = name.substr(prefix.size());
    long pid = 0;
    const auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (failure != std::errc{} || end != digits.data() + digits.size() || pid <= 0) continue;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) fs::remove(entry.path(), error);
  }
}

}  // namespace vertuno
