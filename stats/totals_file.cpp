#include "stats/totals_file.h"

#include <cmath>
#include <string_view>

#include "game/numeric_text.h"

namespace vertuno {

namespace {

// Beyond this, adding one coin no longer changes a double.
constexpr double LargestMoney = 1e15;

}  // namespace

std::optional<std::string> totalsText(std::string text) {
  if (text.size() > LargestTotalsFile) return std::nullopt;
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

}  // namespace vertuno
