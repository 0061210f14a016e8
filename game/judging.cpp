#include "game/judging.h"

#include "game/numeric_text.h"

namespace vertuno {

namespace {

bool numberEquals(std::string_view text, double expected) {
  auto value = readNumber(text);
  return value && *value == expected;
}

}  // namespace

// Some rules read the digits as a number and some compare characters; the order decides
// overlaps ("077" pays 3, not 1; "000" pays 20, not 10).
std::optional<int> prizeFor(std::string_view combination) {
  if (combination.size() != 3) return std::nullopt;
  const std::string_view firstTwo = combination.substr(0, 2);
  const std::string_view lastTwo = combination.substr(1, 2);
  const std::string_view c1 = combination.substr(0, 1);
  const std::string_view c3 = combination.substr(2, 1);

  if (numberEquals(combination, 777)) return 200;
  if (numberEquals(combination, 400)) return 400;
  if (numberEquals(combination, 999)) return 100;
  if (numberEquals(combination, 111)) return 50;
  if (numberEquals(combination, 0)) return 20;
  if (combination[0] == combination[1] && combination[1] == combination[2] &&
      combination[0] == combination[2]) {
    return 10;
  }
  if (numberEquals(combination, 707)) return 7;
  if (firstTwo == "00") return 5;
  if (combination == "077") return 3;
  if (numberEquals(c1, 0) && !numberEquals(firstTwo, 0)) return 2;
  if (numberEquals(firstTwo, 77) || numberEquals(lastTwo, 77)) return 1;
  if (numberEquals(c1, 7) && numberEquals(c3, 7)) return 1;
  return std::nullopt;
}

}  // namespace vertuno
