#include <gtest/gtest.h>

#include "unit/fake_host.h"
#include "unit/temp_folder.h"

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
  EXPECT_TRUE(host.state().InfoShown);
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

TEST_F(InfoWindow, AnUnwritableFileBringsBackWhatTheFileHoldsAfterAClose) {
  host.machine().info();
  host.totalsPath = folder.file("missing-folder/data1.ini");
  host.drawPlay(1, 2, 3, 4);
  host.machine().Label1_Click();
  host.machine().closeInfoWindow();
  host.totalsPath = folder.file("data1.ini");
  EXPECT_EQ(host.machine().info().MachineMoney, "512");
}

TEST_F(InfoWindow, TheMenuLoadsTheWindowAndEachItemDoesItsPart) {
  host.menuChoices = {MenuChoice::None, MenuChoice::About, MenuChoice::Statistics};
  host.machine().Form_MouseDown(1);
  EXPECT_EQ(host.menuPopups, 0) << "only the right button opens the menu";
  host.machine().Form_MouseDown(2);
  EXPECT_TRUE(host.state().InfoLoaded);
  EXPECT_FALSE(host.state().InfoShown);
  host.machine().Form_MouseDown(2);
  EXPECT_EQ(host.aboutShows, 1);
  host.machine().Form_MouseDown(2);
  EXPECT_TRUE(host.state().InfoShown);
  EXPECT_EQ(host.infoShows, 1);

  host.drawPlay(1, 2, 3, 4);
  host.machine().Label1_Click();
  host.menuChoices = {MenuChoice::Exit};
  EXPECT_THROW(host.machine().Form_MouseDown(2), ProgramEnded);
  EXPECT_EQ(folder.read("data1.ini"), "513\r\n");
}

TEST_F(InfoWindow, OnlyTheLeftButtonAloneDragsTheWindow) {
  for (int buttons : {0, 2, 3, 4, 5}) host.machine().Form_MouseMove(buttons);
  EXPECT_EQ(host.drags, 0);
  host.machine().Form_MouseMove(1);
  EXPECT_EQ(host.drags, 1);
}

TEST_F(InfoWindow, DecliningToStartOverSavesFirst) {
  host.drawPlay(1, 2, 3, 4);
  host.machine().Label1_Click();
  host.state().PlayerCoins = "0";
  host.answers.push_back(AnswerNo);
  EXPECT_THROW(host.machine().Label1_Click(), ProgramEnded);
  EXPECT_EQ(folder.read("data1.ini"), "513\r\n");
}

}  // namespace
}  // namespace vertuno::testing
