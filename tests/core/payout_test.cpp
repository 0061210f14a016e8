#include <gtest/gtest.h>

#include "tests/core/fake_host.h"
#include "tests/core/temp_folder.h"

namespace vertuno::testing {
namespace {

using C = CellPicture;
using Cells = std::array<CellPicture, 3>;

class Payout : public ::testing::Test {
 protected:
  void SetUp() override {
    host.totalsPath = folder.file("data1.ini");
    host.machine().Form_Load();
    host.state().Combination = "777";
  }
  void pay(double amount) { host.machine().Priz(amount); }
  std::size_t coinSounds() const {
    return static_cast<std::size_t>(
        std::count_if(host.sounds.begin(), host.sounds.end(), [](auto& s) { return s.name == "sound.wav"; }));
  }
  // The static texts the count-out put on the board, in order.
  std::vector<Cells> boardCounts() const {
    std::vector<Cells> shown;
    for (const auto& change : host.cellChanges) shown.push_back(change.cells);
    return shown;
  }
  TempFolder folder;
  FakeHost host;
};

TEST_F(Payout, AnEmptiedMachineCongratulatesAddsTenCoinsAndRefills) {
  host.machine().info().MachineMoney = "1";
  pay(1);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "Поздравляем!");
  EXPECT_EQ(host.messages[0].style, MessageStyle::InformationOk);
  EXPECT_EQ(host.messages[0].text,
            "Поздравляем!\nВам удалось полностью опустошить наш автомат!\nСейчас в автомат будут "
            "добавлены монеты, а Вы получаете в качестве приза еще 10 монет!");
  EXPECT_EQ(host.state().Info.MachineMoney, "1000");
  EXPECT_EQ(host.state().Info.Takings, "0");
  EXPECT_EQ(host.state().PrizeAmountText, "11");
  EXPECT_EQ(host.state().CoinWordText, "монета");
  EXPECT_TRUE(host.state().WinBannerVisible);
  EXPECT_EQ(host.state().PlayerCoins, "31");
  EXPECT_EQ(host.state().CoinsWonSinceStart, "11");
  EXPECT_EQ(host.state().Info.CoinsWon, "11");
  EXPECT_EQ(coinSounds(), 11u);

  const auto shown = boardCounts();
  ASSERT_EQ(shown.size(), 13u) << "n + 2 board texts";
  EXPECT_EQ(shown.front(), (Cells{C::Unlit, C::Image1, C::Image1}));
  EXPECT_EQ(shown[1], (Cells{C::Unlit, C::Image1, C::Image0}));
  EXPECT_EQ(shown[2], (Cells{C::Unlit, C::Unlit, C::Image9}));
  EXPECT_EQ(shown[11], (Cells{C::Unlit, C::Unlit, C::Image0}));
  EXPECT_EQ(shown.back(), (Cells{C::Image7, C::Image7, C::Image7}));
  host.machine().SaveStatic();
  EXPECT_EQ(folder.read("data1.ini"), "1000\r\n");
}

// A logout, a signal, a closed page or a page going out of sight while the box is open.
TEST_F(Payout, AnEndingWhileTheRefillIsAnnouncedKeepsTheRefilledMoney) {
  host.messageBoxOpenSeconds = 5;
  host.machine().info().MachineMoney = "1";
  host.at(1, [](Machine& m) { m.saveWithoutViews(); });
  host.at(2, [&](Machine&) { EXPECT_EQ(folder.read("data1.ini"), "1000\r\n") << "the page hidden"; });
  host.at(3, [](Machine& m) { m.Form_Unload(); });
  EXPECT_THROW(pay(1), ProgramEnded);
  EXPECT_EQ(folder.read("data1.ini"), "1000\r\n");
}

TEST_F(Payout, APrizeLargerThanTheMachinePaysItAllPlusTheBonus) {
  host.machine().info().MachineMoney = "300";
  pay(400);
  EXPECT_EQ(host.state().Info.MachineMoney, "1000");
  EXPECT_EQ(host.state().PlayerCoins, "430");
  EXPECT_EQ(host.state().CoinWordText, "монет");
  EXPECT_EQ(coinSounds(), 410u);
}

TEST_F(Payout, MoneyEqualToThePrizeCountsAsEmptied) {
  host.machine().info().MachineMoney = "200";
  pay(200);
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.state().PlayerCoins, "230");
}

TEST_F(Payout, AnOrdinaryPrizeLeavesTheMachineWithLess) {
  pay(5);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.state().Info.MachineMoney, "995");
  EXPECT_EQ(host.state().Info.Takings, "-5");
  EXPECT_EQ(host.state().PlayerCoins, "25");
  EXPECT_EQ(coinSounds(), 5u);
  // One second, then per coin two falling steps and a board step, then the closing pause.
  EXPECT_NEAR(host.seconds() - 0.001, 1.05 + 5 * 3 * 0.051 + 0.051 + 0.2, 1e-9);
}

TEST_F(Payout, TheWordForCoinsGoesByTheLastDigit) {
  const std::pair<double, const char*> words[] = {{1, "монета"},  {2, "монеты"}, {3, "монеты"}, {4, "монеты"},
                                                  {5, "монет"},   {7, "монет"},  {10, "монет"}, {11, "монета"},
                                                  {12, "монеты"}, {20, "монет"}, {400, "монет"}};
  for (const auto& [amount, word] : words) {
    host.state().FastHold = "on";
    pay(amount);
    EXPECT_EQ(host.state().CoinWordText, word) << amount;
  }
}

TEST_F(Payout, AForced777LeavesTheMoneyAndCountersButPaysThePurse) {
  host.machine().info().MachineMoney = "1";
  host.state().Force777 = "1";
  pay(200);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.state().Info.MachineMoney, "1");
  EXPECT_EQ(host.state().CoinsWonSinceStart, "0");
  EXPECT_EQ(host.state().Info.CoinsWon, "0");
  EXPECT_EQ(host.state().PlayerCoins, "220");
  EXPECT_EQ(host.state().PrizeAmountText, "200");
  EXPECT_EQ(coinSounds(), 200u);
}

TEST_F(Payout, TheDemoFacePaysNobodyButTheMachine) {
  host.state().CabinetFace = Face::DemoFace;
  pay(10);
  EXPECT_EQ(host.state().Info.MachineMoney, "990");
  EXPECT_EQ(host.state().CoinsWonSinceStart, "10");
  EXPECT_EQ(host.state().Info.CoinsWon, "0");
  EXPECT_EQ(host.state().PlayerCoins, "20");
  EXPECT_FALSE(host.state().WinBannerVisible);
  EXPECT_EQ(host.state().PrizeAmountText, "");
  EXPECT_EQ(coinSounds(), 10u);
}

TEST_F(Payout, TheFaceIsTestedAfreshAtTheEnd) {
  host.at(host.seconds() + 0.5, [](Machine& m) { m.state().CabinetFace = Face::DemoFace; });
  pay(3);
  EXPECT_TRUE(host.state().WinBannerVisible);
  EXPECT_EQ(host.state().Info.CoinsWon, "3");
  EXPECT_EQ(host.state().PlayerCoins, "20") << "the purse step saw the demo face";
}

TEST_F(Payout, AMachineMoneyThatHoldsNoNumberEndsThePayoutAtItsFirstSum) {
  host.machine().info().MachineMoney = "";
  pay(50);
  EXPECT_EQ(host.state().PlayerCoins, "20");
  EXPECT_EQ(host.state().CoinsWonSinceStart, "0");
  EXPECT_FALSE(host.state().WinBannerVisible);
  EXPECT_EQ(coinSounds(), 0u);
}

}  // namespace
}  // namespace vertuno::testing
