#include "stats/temporary_file.h"

#include <charconv>
#include <string>

namespace vertuno {

namespace fs = std::filesystem;

namespace {

constexpr char8_t TemporaryMark[] = u8".new-";

}  // namespace

fs::path temporaryFor(const fs::path& target, long processId) {
  fs::path temporary = target;
  temporary += std::u8string(TemporaryMark);
  temporary += std::to_string(processId);
  return temporary;
}

void removeStaleTemporaries(const fs::path& target, const std::function<bool(long)>& processIsGone) {
  const std::u8string mark = target.filename().u8string() + TemporaryMark;
  std::error_code error;
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::u8string name = entry.path().filename().u8string();
    if (!name.starts_with(mark)) continue;
    const std::string digits(name.begin() + static_cast<std::ptrdiff_t>(mark.size()), name.end());
    long processId = 0;
    const auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), processId);
    if (failure != std::errc{} || end != digits.data() + digits.size() || processId <= 0) continue;
    if (processIsGone(processId)) fs::remove(entry.path(), error);
  }
}

}  // namespace vertuno
