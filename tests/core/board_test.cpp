#include <gtest/gtest.h>

#include "tests/core/fake_host.h"

namespace vertuno::testing {
namespace {

using C = CellPicture;
using Cells = std::array<CellPicture, 3>;

class Board : public ::testing::Test {
 protected:
  void SetUp() override { host.state().StartupFlag = ""; }
  Cells cells() { return host.state().Tab; }
  FakeHost host;
};

TEST_F(Board, TheStaticDisplayShowsPaddedTextsAndUnlitCellsAtOnce) {
  const std::pair<const char*, Cells> cases[] = {
      {"7", {C::Image0, C::Image0, C::Image7}},    {"200", {C::Image2, C::Image0, C::Image0}},
      {"x42", {C::Unlit, C::Image4, C::Image2}},   {"xx0", {C::Unlit, C::Unlit, C::Image0}},
      {"1234", {C::Image1, C::Image2, C::Image3}}, {"", {C::Image0, C::Image0, C::Image0}},
      {" 9", {C::Image0, C::Unlit, C::Image9}},
  };
  for (const auto& [text, expected] : cases) {
    host.cellChanges.clear();
    host.machine().tablo(text, "0");
    EXPECT_EQ(cells(), expected) << '"' << text << '"';
    EXPECT_EQ(host.cellChanges.size(), 1u) << "nothing is drawn in between";
  }
  EXPECT_EQ(host.now(), 0) << "no waits";
  EXPECT_EQ(host.dispatches, 0) << "no pumping";
  EXPECT_EQ(host.state().StartupFlag, "0 9");
  EXPECT_TRUE(host.state().InfoLoaded) << "the unlit picture is read from the info window";
}

TEST_F(Board, TheRollingDisplayChasesEighteenFramesThenLands) {
  host.state().RespinFlag = "0";
  host.state().Combination = "123";
  host.machine().tablo("553", "1");
  EXPECT_EQ(cells(), (Cells{C::Image5, C::Image5, C::Image3}));
  EXPECT_EQ(host.waitIntervals, std::vector<int>(18, 51));
  EXPECT_EQ(host.state().Combination, "123") << "untouched without a re-spin";
  ASSERT_EQ(host.cellChanges.size(), 19u);
  for (int i = 0; i < 18; ++i) {
    const C frame = static_cast<C>(10 + i % 6);
    EXPECT_EQ(host.cellChanges[static_cast<std::size_t>(i)].cells, (Cells{frame, frame, frame}));
  }
}

TEST_F(Board, ARespinRollsTheRightCellAloneAndRecordsTheNewCombination) {
  host.state().RespinFlag = "1";
  host.state().RespinDigit = "4";
  host.machine().tablo("553", "1");
  EXPECT_EQ(cells(), (Cells{C::Image5, C::Image5, C::Image4}));
  EXPECT_EQ(host.state().Combination, "554");
  ASSERT_EQ(host.waitIntervals.size(), 37u);
  EXPECT_EQ(host.waitIntervals[18], 750);
  ASSERT_EQ(host.cellChanges.size(), 19u + 18u + 1u);
  EXPECT_EQ(host.cellChanges[18].cells, (Cells{C::Image5, C::Image5, C::Image3}));
  for (int i = 0; i < 18; ++i) {
    const C frame = static_cast<C>(10 + i % 6);
    EXPECT_EQ(host.cellChanges[static_cast<std::size_t>(19 + i)].cells, (Cells{C::Image5, C::Image5, frame}));
  }
}

TEST_F(Board, EachChasePassPumpsEventsSoAReleasedFastButtonIsNoticed) {
  host.state().RespinFlag = "0";
  host.state().FastHold = "on";
  host.machine().tablo("123", "1");
  EXPECT_EQ(host.dispatches, 3) << "fast waits dispatch nothing; each pass still pumps";
  EXPECT_TRUE(host.waitIntervals.empty());

  host.at(host.seconds(), [](Machine& m) { m.Label8_MouseUp(); });
  host.state().FastHold = "on";
  host.machine().tablo("123", "1");
  EXPECT_EQ(host.waitIntervals, std::vector<int>(18, 51)) << "normal again from the first pump";
}

TEST_F(Board, ATextThatIsNoDigitLeavesTheLastRollFrame) {
  host.state().RespinFlag = "1";
  host.state().RespinDigit = "Razdacha";
  host.machine().tablo("4x", "1");
  EXPECT_EQ(cells(), (Cells{C::Image0, C::Image4, C::Image15}));
  EXPECT_EQ(host.waitIntervals.size(), 37u);
  host.machine().tablo("", "1");
  EXPECT_EQ(cells(), (Cells{C::Image15, C::Image15, C::Image15}));
}

TEST(Coin, OneCoinFallsInTwoStepsAndIsParked) {
  FakeHost host;
  host.state().IdleTicks = "5";
  std::vector<std::pair<double, double>> seen;
  host.at(0.01, [&](Machine& m) { seen.emplace_back(m.state().CoinLeft, m.state().CoinTop); });
  host.at(0.06, [&](Machine& m) { seen.emplace_back(m.state().CoinLeft, m.state().CoinTop); });
  host.machine().Money();
  EXPECT_EQ(seen, (std::vector<std::pair<double, double>>{{92.5, 222}, {92.5, 228}}));
  EXPECT_EQ(host.waitIntervals, (std::vector<int>{51, 51}));
  EXPECT_EQ(host.state().CoinLeft, 5000);
  EXPECT_EQ(host.state().CoinTop, 228);
  EXPECT_EQ(host.state().IdleTicks, "0");
}

}  // namespace
}  // namespace vertuno::testing
