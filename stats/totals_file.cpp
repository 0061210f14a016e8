#include "stats/totals_file.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

#include "game/numeric_text.h"

namespace vertuno {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t LargestTotalsFile = 4096;
// Beyond this, adding one coin no longer changes a double.
constexpr double LargestMoney = 1e15;

// Paths are UTF-8 everywhere; on Windows a plain string would be read in the local code page.
fs::path fromUtf8(const std::string& path) { return fs::path(std::u8string(path.begin(), path.end())); }

}  // namespace

std::optional<std::string> readTotalsFile(const std::string& utf8Path) {
  const fs::path path = fromUtf8(utf8Path);
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  const auto size = fs::file_size(path, error);
  if (error || size > LargestTotalsFile) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return std::nullopt;
  // Notepad and other editors may put a UTF-8 byte-order mark before the number.
  constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(ByteOrderMark)) text.erase(0, ByteOrderMark.size());
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

bool isPlausibleMoney(const std::string& text) {
  auto value = readNumber(text);
  return value && std::fabs(*value) <= LargestMoney;
}

std::string totalsFileBytes(const std::string& money) { return money + "\r\n"; }

std::optional<std::string> laterMoneyElsewhere(const std::string& path, const std::string& otherPath) {
  const auto other = readTotalsFile(otherPath);
  if (!other || !isPlausibleMoney(*other)) return std::nullopt;
  const auto own = readTotalsFile(path);
  if (own && isPlausibleMoney(*own)) {
    std::error_code ownError, otherError;
    const auto ownTime = fs::last_write_time(fromUtf8(path), ownError);
    const auto otherTime = fs::last_write_time(fromUtf8(otherPath), otherError);
    if (ownError || otherError || otherTime <= ownTime) return std::nullopt;
  }
  return totalsFileBytes(*other);
}

}  // namespace vertuno
