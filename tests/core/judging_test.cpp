#include <gtest/gtest.h>

#include <map>

#include "game/judging.h"

namespace vertuno {
namespace {

std::string combinationOf(int n) {
  std::string text = std::to_string(n);
  return std::string(3 - text.size(), '0') + text;
}

TEST(Judging, EveryCombinationPaysAsTheTableSays) {
  std::map<int, int> combinationsPaying;
  for (int n = 0; n < 1000; ++n) combinationsPaying[prizeFor(combinationOf(n)).value_or(0)]++;
  const std::map<int, int> expected{{0, 864}, {1, 25}, {2, 89}, {3, 1},   {5, 9},   {7, 1},
                                    {10, 6},  {20, 1}, {50, 1}, {100, 1}, {200, 1}, {400, 1}};
  EXPECT_EQ(combinationsPaying, expected);
}

TEST(Judging, TheFirstMatchingRuleDecides) {
  const std::map<std::string, int> prizes{{"777", 200}, {"400", 400}, {"999", 100}, {"111", 50}, {"000", 20},
                                          {"444", 10},  {"888", 10},  {"707", 7},   {"007", 5},  {"001", 5},
                                          {"077", 3},   {"070", 2},   {"017", 2},   {"099", 2},  {"177", 1},
                                          {"771", 1},   {"770", 1},   {"779", 1},   {"717", 1},  {"797", 1}};
  for (const auto& [combination, prize] : prizes) {
    EXPECT_EQ(prizeFor(combination), prize) << combination;
  }
  for (const char* loser : {"700", "123", "456", "890", "100", "401", "760", "976"}) {
    EXPECT_FALSE(prizeFor(loser).has_value()) << loser;
  }
}

}  // namespace
}  // namespace vertuno
