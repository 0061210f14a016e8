#include "stats/totals_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

#include "game/numeric_text.h"

namespace vertuno {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t LargestTotalsFile = 4096;
// Beyond this, adding one coin no longer changes a double.
constexpr double LargestMoney = 1e15;
constexpr std::string_view TemporarySuffix = ".new-";

fs::path temporaryFor(const fs::path& target, long pid) {
  fs::path temporary = target;
  temporary += std::string(TemporarySuffix) + std::to_string(pid);
  return temporary;
}

fs::path followLinks(fs::path path) {
  std::error_code error;
  for (int hop = 0; hop < 16 && fs::is_symlink(path, error); ++hop) {
    fs::path target = fs::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
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

}  // namespace

std::optional<std::string> readTotalsFile(const std::string& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  const auto size = fs::file_size(path, error);
  if (error || size > LargestTotalsFile) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

bool isPlausibleMoney(const std::string& text) {
  auto value = readNumber(text);
  return value && std::fabs(*value) <= LargestMoney;
}

bool writeTotalsFile(const std::string& path, const std::string& text, std::error_code* error) {
  auto fail = [error] {
    if (error) *error = std::error_code(errno, std::generic_category());
    return false;
  };
  const fs::path target = followLinks(path);
  const fs::path temporary = temporaryFor(target, ::getpid());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return fail();
  struct stat old {};
  const bool modeKept = ::stat(target.c_str(), &old) != 0 || ::fchmod(fd, old.st_mode & 07777) == 0;
  const bool written = modeKept && writeAll(fd, text + "\r\n") && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
    fail();
    ::unlink(temporary.c_str());
    return false;
  }
  syncFolder(target.parent_path());
  return true;
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
