#include "game/numeric_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace vertuno {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

std::optional<double> readNumber(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  // from_chars rejects a leading '+', which a decimal field may still carry.
  if (text.front() == '+' && text.size() > 1 && text[1] != '-') text.remove_prefix(1);
  double value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (error != std::errc{} || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string writeNumber(double value) {
  if (value == 0) value = 0;  // no "-0"
  std::array<char, 400> buffer{};
  auto [stop, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  if (error != std::errc{}) return {};
  return std::string(buffer.data(), stop);
}

}  // namespace vertuno
