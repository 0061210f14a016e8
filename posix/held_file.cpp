#include "posix/held_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace vertuno::posix {

namespace {

// Enough for any sane chain of links; a loop ends here.
constexpr int LargestLinkChain = 8;

int openFolder(const std::string& path) {
  const char* folder = path.empty() ? "." : path.c_str();
  const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  // A folder that may be entered but not listed can still be saved in.
  return fd >= 0 ? fd : ::open(folder, O_PATH | O_DIRECTORY | O_CLOEXEC);
}

std::pair<std::string, std::string> split(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// In a folder others may write, a planted link would make this user read or write where the
// planter chose.
bool isTrustedLink(const struct stat& link) { return link.st_uid == ::geteuid() || link.st_uid == 0; }

}  // namespace

HeldFile::HeldFile(const std::string& path) {
  std::string current = path;
  for (int link = 0; link < LargestLinkChain; ++link) {
    auto [folderPath, name] = split(current);
    const int folder = openFolder(folderPath);
    if (folder < 0) return;
    struct stat named {};
    if (::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(named.st_mode)) {
      folder_ = folder;
      name_ = std::move(name);
      return;
    }
    std::string target(static_cast<std::size_t>(named.st_size) + 1, '\0');
    const ssize_t length = ::readlinkat(folder, name.c_str(), target.data(), target.size());
    ::close(folder);
    if (!isTrustedLink(named) || length <= 0 || static_cast<std::size_t>(length) >= target.size()) return;
    target.resize(static_cast<std::size_t>(length));
    current = target.front() == '/' ? target : folderPath + "/" + target;
  }
}

HeldFile::~HeldFile() {
  if (folder_ >= 0) ::close(folder_);
}

HeldFile::HeldFile(HeldFile&& other) noexcept
    : folder_(std::exchange(other.folder_, -1)), name_(std::move(other.name_)) {}

HeldFile& HeldFile::operator=(HeldFile&& other) noexcept {
  if (this != &other) {
    if (folder_ >= 0) ::close(folder_);
    folder_ = std::exchange(other.folder_, -1);
    name_ = std::move(other.name_);
  }
  return *this;
}

std::string HeldFile::identity() const {
  struct stat folder {};
  if (folder_ < 0 || ::fstat(folder_, &folder) != 0) return {};
  return std::to_string(folder.st_dev) + ":" + std::to_string(folder.st_ino) + "/" + name_;
}

bool HeldFile::hasOtherNames() const {
  struct stat file {};
  return folder_ >= 0 && ::fstatat(folder_, name_.c_str(), &file, AT_SYMLINK_NOFOLLOW) == 0 && file.st_nlink > 1;
}

}  // namespace vertuno::posix
