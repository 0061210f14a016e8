#include <gtest/gtest.h>

#include "tests/core/fake_host.h"

namespace vertuno::testing {
namespace {

class Play : public ::testing::Test {
 protected:
  void SetUp() override { host.machine().Form_Load(); }
  Machine& machine() { return host.machine(); }
  MachineState& state() { return host.state(); }
  FakeHost host;
};

TEST_F(Play, StartUpGivesTwentyCoinsOnTheNormalFace) {
  EXPECT_EQ(state().PlayerCoins, "20");
  EXPECT_EQ(state().CabinetFace, Face::NormalFace);
  EXPECT_EQ(state().StartupFlag, "");
  ASSERT_EQ(host.waitIntervals.size(), 1u);
  EXPECT_EQ(host.waitIntervals[0], 1) << "the first paint is not lengthened";
  EXPECT_EQ(host.outlines.size(), 1u);
  EXPECT_FALSE(state().InfoLoaded) << "nothing else is loaded at start-up";
}

TEST_F(Play, APlayTakesOneCoinAndCountsItOnce) {
  host.drawPlay(1, 2, 3, 4);
  machine().Label1_Click();
  EXPECT_EQ(state().PlayerCoins, "19");
  EXPECT_EQ(state().CoinsInSinceStart, "1");
  EXPECT_EQ(state().Info.CoinsInserted, "1");
  EXPECT_EQ(state().Info.MachineMoney, "1001");
  EXPECT_EQ(state().Info.Takings, "1");
  EXPECT_EQ(state().Combination, "123");
  EXPECT_EQ(state().Tab, (std::array{CellPicture::Image1, CellPicture::Image2, CellPicture::Image3}));
  EXPECT_EQ(state().PlayBusy, "");
  EXPECT_EQ(state().Force777, "g");
  EXPECT_EQ(state().RespinFlag, "0");
  EXPECT_EQ(state().RespinDigit, "4");
  ASSERT_EQ(host.sounds.size(), 1u);
  EXPECT_EQ(host.sounds[0].name, "click.wav");
  EXPECT_EQ(host.reseeds, 1);
  EXPECT_TRUE(host.draws.empty()) << "five draws per play";
}

TEST_F(Play, OnePaidPlayShowsOneCoinInsertedWhetherOrNotTheInfoWindowWasLoaded) {
  machine().Label3_Click();
  host.drawPlay(1, 2, 3, 4);
  machine().Label1_Click();
  EXPECT_EQ(state().Info.CoinsInserted, "1");

  machine().Command1_Click();
  host.drawPlay(1, 2, 3, 4);
  machine().Label1_Click();
  EXPECT_EQ(state().Info.CoinsInserted, "2") << "reloaded from the run's counter, then raised";
  EXPECT_EQ(state().CoinsInSinceStart, "2");
}

TEST_F(Play, TheCoinIsTakenAfterTheCoinDropWaitAndTheCountersBeforeIt) {
  std::string coinsDuringWait, counterDuringWait;
  host.at(host.seconds() + 0.1, [&](Machine& m) {
    coinsDuringWait = m.state().PlayerCoins;
    counterDuringWait = m.state().CoinsInSinceStart;
  });
  host.drawPlay(1, 2, 3, 4);
  machine().Label1_Click();
  EXPECT_EQ(coinsDuringWait, "20");
  EXPECT_EQ(counterDuringWait, "1");
  ASSERT_GE(host.waitIntervals.size(), 2u);
  EXPECT_EQ(host.waitIntervals[1], 250);
}

TEST_F(Play, AMatchedPairRespinsTheRightCellAndIsJudgedAsRespun) {
  host.drawPlay(4, 4, 9, 4);
  machine().Label1_Click();
  EXPECT_EQ(state().RespinFlag, "1");
  EXPECT_EQ(state().RespinDigit, "4");
  EXPECT_EQ(state().Combination, "444");
  const std::array landed{CellPicture::Image4, CellPicture::Image4, CellPicture::Image9};
  EXPECT_NE(
      std::find_if(host.cellChanges.begin(), host.cellChanges.end(), [&](const auto& c) { return c.cells == landed; }),
      host.cellChanges.end())
      << "the board was asked for 449 before the re-spin";
  EXPECT_EQ(state().PlayerCoins, "29") << "444 pays 10";
}

TEST_F(Play, ASpareSevenCanCompleteTheTriple) {
  host.drawPlay(7, 7, 1, 7);
  machine().Label1_Click();
  EXPECT_EQ(state().Combination, "777");
  EXPECT_EQ(state().PlayerCoins, "219");
}

TEST_F(Play, ATripleKeepsTheLastRespinDigitAndAnUnmatchedPairSetsIt) {
  host.drawPlay(5, 5, 5, 2);
  machine().Label1_Click();
  EXPECT_EQ(state().RespinFlag, "0");
  EXPECT_EQ(state().RespinDigit, "Razdacha");
  host.drawPlay(3, 5, 5, 8);
  machine().Label1_Click();
  EXPECT_EQ(state().RespinFlag, "0");
  EXPECT_EQ(state().RespinDigit, "8");
  EXPECT_EQ(state().Combination, "355");
}

TEST_F(Play, SpecialNumberOneShows707) {
  host.drawPlay(2, 3, 8, 0, 1);
  machine().Label1_Click();
  EXPECT_EQ(state().Combination, "707");
  EXPECT_EQ(state().PlayerCoins, "26");
}

TEST_F(Play, AForced777IsNotCountedButStillTakesTheCoin) {
  machine().Label7_DblClick();
  machine().Label7_DblClick();
  host.drawPlay(1, 2, 3, 4, 1);
  machine().Label1_Click();
  EXPECT_EQ(state().Combination, "777");
  EXPECT_EQ(state().CoinsInSinceStart, "0");
  EXPECT_EQ(state().CoinsWonSinceStart, "0");
  EXPECT_EQ(state().Info.CoinsInserted, "0");
  EXPECT_EQ(state().Info.MachineMoney, "1000") << "an uncounted play leaves the machine's money";
  EXPECT_EQ(state().PlayerCoins, "219");
  EXPECT_EQ(state().Force777, "g");

  host.drawPlay(1, 2, 3, 4);
  machine().Label1_Click();
  EXPECT_EQ(state().Combination, "123") << "one arming serves one play";
  EXPECT_EQ(state().CoinsInSinceStart, "1");
}

TEST_F(Play, AnArmingDuringAPlayActsOnThatPlayOnly) {
  host.at(host.seconds() + 0.1, [](Machine& m) { m.Label7_DblClick(); });
  host.drawPlay(1, 2, 3, 4);
  machine().Label1_Click();
  EXPECT_EQ(state().Combination, "777");
  EXPECT_EQ(state().CoinsInSinceStart, "1") << "counted: the arming came after the counters";
  EXPECT_EQ(state().CoinsWonSinceStart, "0") << "the payout saw the arming and left the counters";
  EXPECT_EQ(state().Info.MachineMoney, "1001");
  EXPECT_EQ(state().PlayerCoins, "219");
  EXPECT_EQ(state().Force777, "g");
}

TEST_F(Play, APlayOnTheDemoFaceCostsThePlayerNothing) {
  state().CabinetFace = Face::DemoFace;
  host.drawPlay(1, 2, 3, 4);
  machine().Label1_Click();
  EXPECT_EQ(state().PlayerCoins, "20");
  EXPECT_EQ(state().Info.CoinsInserted, "0");
  EXPECT_EQ(state().CoinsInSinceStart, "1");
  EXPECT_EQ(state().Info.MachineMoney, "1001");
}

TEST_F(Play, AClickWhileBusyOnlyResetsTheIdleCount) {
  state().PlayBusy = "1";
  state().IdleTicks = "7";
  machine().Label1_Click();
  EXPECT_EQ(state().IdleTicks, "0");
  EXPECT_EQ(state().PlayerCoins, "20");
  EXPECT_TRUE(host.sounds.empty());
  EXPECT_EQ(state().PlayBusy, "1");
}

TEST_F(Play, ASecondClickDuringTheCoinDropNeverTakesTheLastCoinTwice) {
  state().PlayerCoins = "1";
  const double start = host.seconds();
  host.at(start + 0.1, [](Machine& m) { m.Label1_Click(); });
  host.drawPlay(1, 2, 3, 4);
  machine().Label1_Click();
  EXPECT_EQ(state().PlayerCoins, "0");
  EXPECT_EQ(host.sounds.size(), 1u) << "exactly one play";
  EXPECT_EQ(state().CoinsInSinceStart, "1");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(Play, ClicksDuringAPlayAreRefusedAndTheNextClickAfterItPlays) {
  const double start = host.seconds();
  for (double t = 0.3; t < 1.2; t += 0.1) host.clickAt(start + t);
  host.drawPlay(1, 2, 3, 4);
  machine().Label1_Click();
  EXPECT_EQ(state().PlayerCoins, "19");
  EXPECT_EQ(host.sounds.size(), 1u);
}

TEST_F(Play, AnEmptyPurseAsksToStartOverAndYesGivesTwentyCoins) {
  state().PlayerCoins = "0";
  state().CabinetFace = Face::DemoFace;
  host.answers.push_back(Answer::Yes);
  machine().Label1_Click();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Вы проиграли все деньги.\r\nНачать сначала?");
  EXPECT_EQ(host.messages[0].title, "Не повезло...");
  EXPECT_EQ(host.messages[0].style, MessageStyle::InformationYesNo);
  EXPECT_EQ(state().PlayerCoins, "20");
  EXPECT_EQ(state().CabinetFace, Face::NormalFace);
  EXPECT_TRUE(host.sounds.empty()) << "no play is made by this click";
  EXPECT_EQ(state().CoinsInSinceStart, "0");
}

TEST_F(Play, AnyOtherAnswerEndsTheProgram) {
  for (Answer answer : {Answer::No, Answer::Ok}) {
    state().PlayerCoins = "0";
    host.answers.push_back(answer);
    EXPECT_THROW(machine().Label1_Click(), ProgramEnded);
  }
}

TEST_F(Play, APurseOfOneCoinPlaysThenAsks) {
  state().PlayerCoins = "1";
  host.drawPlay(1, 2, 3, 4);
  machine().Label1_Click();
  EXPECT_EQ(state().PlayerCoins, "0");
  host.answers.push_back(Answer::Yes);
  machine().Label1_Click();
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(state().PlayerCoins, "20");
}

TEST_F(Play, FieldsThatHoldNoNumberSkipTheirStepsAndThePlayGoesOn) {
  machine().info().MachineMoney = "";
  state().PlayerCoins = "lots";
  host.drawPlay(7, 7, 7, 0);
  machine().Label1_Click();
  EXPECT_EQ(state().Combination, "777");
  EXPECT_EQ(state().CoinsInSinceStart, "1");
  EXPECT_EQ(state().CoinsWonSinceStart, "0") << "the payout ended at its first sum";
  EXPECT_EQ(state().PlayerCoins, "lots");
  EXPECT_EQ(state().PlayBusy, "");
  EXPECT_EQ(state().Force777, "g");
}

TEST_F(Play, APressOfTheFastButtonDuringAPlayRunsTheRestWithoutWaits) {
  host.at(host.seconds() + 0.1, [](Machine& m) { m.Label8_MouseDown(); });
  host.drawPlay(7, 7, 7, 0);
  const double start = host.seconds();
  machine().Label1_Click();
  EXPECT_LT(host.seconds() - start, 0.26) << "only the coin-drop wait ran";
  EXPECT_EQ(state().PlayerCoins, "219");
}

TEST_F(Play, AFastButtonHeldFromBeforeThePlayDoesNotSpeedItUp) {
  machine().Label8_MouseDown();
  host.drawPlay(1, 2, 3, 4);
  const double start = host.seconds();
  machine().Label1_Click();
  EXPECT_EQ(state().FastHold, "");
  EXPECT_NEAR(host.seconds() - start, 0.25 + 18 * 0.051, 1e-9);
}

}  // namespace
}  // namespace vertuno::testing
