#include <gtest/gtest.h>

#include <filesystem>

#include "tests/core/fake_host.h"
#include "tests/core/temp_folder.h"

namespace vertuno::testing {
namespace {

class InfoWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    host.totalsPath = folder.file("data1.ini");
    folder.write("data1.ini", "512\r\n");
    host.machine().Form_Load();
  }
  TempFolder folder;
  FakeHost host;
};

TEST_F(InfoWindow, OpeningAndClosingWithNoPlayLeavesTheFileUnchanged) {
  host.machine().Label3_Click();
  EXPECT_TRUE(host.infoVisible);
  EXPECT_EQ(host.state().Info.MachineMoney, "512");
  EXPECT_EQ(host.state().Info.Takings, "-488");
  folder.write("data1.ini", "512\r\n\r\n");
  host.machine().Command1_Click();
  EXPECT_FALSE(host.state().InfoLoaded);
  EXPECT_EQ(folder.read("data1.ini"), "512\r\n");
}

TEST_F(InfoWindow, AClosedWindowForgetsItsFieldsAndTheNextTouchReloadsThem) {
  host.drawPlay(1, 2, 3, 4);
  host.machine().Label1_Click();
  EXPECT_EQ(host.state().Info.MachineMoney, "513");
  host.machine().closeInfoWindow();
  EXPECT_EQ(folder.read("data1.ini"), "513\r\n");
  EXPECT_EQ(host.machine().info().MachineMoney, "513");
  EXPECT_EQ(host.state().Info.CoinsInserted, "1");
}

TEST_F(InfoWindow, DemoWinsAppearInCoinsWonOnlyAfterACloseAndANewLoad) {
  host.state().CabinetFace = Face::DemoFace;
  host.drawPlay(0, 0, 5, 5);
  host.machine().Label1_Click();
  EXPECT_EQ(host.state().CoinsWonSinceStart, "5");
  EXPECT_EQ(host.state().Info.CoinsWon, "0");
  EXPECT_EQ(host.state().Info.CoinsInserted, "0");
  host.machine().closeInfoWindow();
  EXPECT_EQ(host.machine().info().CoinsWon, "5");
  EXPECT_EQ(host.state().Info.CoinsInserted, "1");
}

TEST_F(InfoWindow, AFailedSaveKeepsTheCountedMoneyUntilASaveSucceeds) {
  host.machine().info();
  host.totalsPath = folder.file("later/data1.ini");  // a folder that is not there yet
  host.drawPlay(1, 2, 3, 4);
  host.machine().Label1_Click();
  host.machine().closeInfoWindow();
  EXPECT_EQ(host.machine().info().MachineMoney, "513") << "the coin the machine took is kept";
  std::filesystem::create_directory(folder.path() / "later");
  host.machine().closeInfoWindow();
  EXPECT_EQ(folder.read("later/data1.ini"), "513\r\n");
  folder.write("later/data1.ini", "600\r\n");
  EXPECT_EQ(host.machine().info().MachineMoney, "600") << "after a good save the file rules again";
}

TEST_F(InfoWindow, AnExitWhoseSaveFailsTellsThePlayerAndEndsWithAFailure) {
  host.machine().info();
  host.totalsPath = folder.file("missing/data1.ini");
  try {
    host.machine().mnuExit_Click();
    FAIL() << "the program did not end";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.status, 1);
  }
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].text.find(host.totalsPath), std::string::npos);
  EXPECT_EQ(host.messages[0].style, MessageStyle::WarningOk);

  host.totalsPath = folder.file("data1.ini");  // a good save ends the matter silently
  try {
    host.machine().mnuExit_Click();
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.status, 0);
  }
  EXPECT_EQ(host.messages.size(), 1u);
}

// A browser that keeps no data for the page: the page says so at the start, and the machine
// names no file it cannot write.
TEST_F(InfoWindow, WhereNothingCanBeKeptTheMachineStartsFreshAndEndsWithoutAWord) {
  host.totalsPath.clear();
  host.drawPlay(1, 2, 3, 4);
  host.machine().Label1_Click();
  EXPECT_EQ(host.state().Info.MachineMoney, "1001");
  host.machine().saveWithoutViews();
  try {
    host.machine().mnuExit_Click();
    FAIL() << "the program did not end";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.status, 0);
  }
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(InfoWindow, TheMenuLoadsTheWindowAndEachItemDoesItsPart) {
  host.menuChoices = {MenuChoice::None, MenuChoice::About, MenuChoice::Statistics};
  host.machine().Form_MouseDown(MouseButton::Left);
  EXPECT_EQ(host.menuPopups, 0) << "only the right button opens the menu";
  host.machine().Form_MouseDown(MouseButton::Right);
  EXPECT_TRUE(host.state().InfoLoaded);
  EXPECT_FALSE(host.infoVisible);
  host.machine().Form_MouseDown(MouseButton::Right);
  EXPECT_EQ(host.aboutShows, 1);
  host.machine().Form_MouseDown(MouseButton::Right);
  EXPECT_TRUE(host.infoVisible);
  EXPECT_EQ(host.infoShows, 1);

  host.drawPlay(1, 2, 3, 4);
  host.machine().Label1_Click();
  host.menuChoices = {MenuChoice::Exit};
  EXPECT_THROW(host.machine().Form_MouseDown(MouseButton::Right), ProgramEnded);
  EXPECT_EQ(folder.read("data1.ini"), "513\r\n");
}

TEST_F(InfoWindow, DecliningToStartOverSavesFirst) {
  host.drawPlay(1, 2, 3, 4);
  host.machine().Label1_Click();
  host.state().PlayerCoins = "0";
  host.answers.push_back(Answer::No);
  EXPECT_THROW(host.machine().Label1_Click(), ProgramEnded);
  EXPECT_EQ(folder.read("data1.ini"), "513\r\n");
}

}  // namespace
}  // namespace vertuno::testing
