#include "game/judging.h"

#include "game/numeric_text.h"

namespace vertuno {

namespace {

bool equals(std::optional<double> value, double expected) { return value && *value == expected; }

}  // namespace

// Some rules read the digits as a number and some compare characters; the order decides
// overlaps ("077" pays 3, not 1; "000" pays 20, not 10). Each reading is made once.
std::optional<int> prizeFor(std::string_view combination) {
  if (combination.size() != 3) return std::nullopt;
  const auto whole = readNumber(combination);
  const auto firstTwo = readNumber(combination.substr(0, 2));
  const auto lastTwo = readNumber(combination.substr(1, 2));
  const auto c1 = readNumber(combination.substr(0, 1));
  const auto c3 = readNumber(combination.substr(2, 1));

  if (equals(whole, 777)) return 200;
  if (equals(whole, 400)) return 400;
  if (equals(whole, 999)) return 100;
  if (equals(whole, 111)) return 50;
  if (equals(whole, 0)) return 20;
  if (combination[0] == combination[1] && combination[1] == combination[2] && combination[0] == combination[2]) {
    return 10;
  }
  if (equals(whole, 707)) return 7;
  if (combination.substr(0, 2) == "00") return 5;
  if (combination == "077") return 3;
  if (equals(c1, 0) && !equals(firstTwo, 0)) return 2;
  if (equals(firstTwo, 77) || equals(lastTwo, 77)) return 1;
  if (equals(c1, 7) && equals(c3, 7)) return 1;
  return std::nullopt;
}

}  // namespace vertuno
