#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "stats/money_place.h"
#include "tests/core/fake_host.h"
#include "tests/core/temp_folder.h"

namespace vertuno::testing {
namespace {

namespace fs = std::filesystem;

class TotalsFile : public ::testing::Test {
 protected:
  void SetUp() override { host.totalsPath = folder.file("data1.ini"); }
  std::string load() {
    host.machine().OpenStatic();
    return host.state().Info.MachineMoney;
  }
  TempFolder folder;
  FakeHost host;
};

TEST_F(TotalsFile, ALineOfMoneyIsReadWithoutItsLineEndsOrByteOrderMark) {
  for (const char* bytes : {"512\r\n", "512", "512\r\n\r\n", "512\n",
                            "\xEF\xBB\xBF"
                            "512\r\n"}) {
    folder.write("data1.ini", bytes);
    EXPECT_EQ(load(), "512");
    EXPECT_EQ(host.state().Info.Takings, "-488");
  }
  host.machine().SaveStatic();
  EXPECT_EQ(folder.read("data1.ini"), "512\r\n");
}

TEST_F(TotalsFile, ALoadThenASaveWritesTheFileBackByteForByte) {
  for (const char* bytes : {"512\r\n", "-5\r\n", "1e3\r\n", " 512 \r\n", "0\r\n"}) {
    folder.write("data1.ini", bytes);
    host.machine().OpenStatic();
    host.machine().SaveStatic();
    EXPECT_EQ(folder.read("data1.ini"), bytes);
  }
}

TEST_F(TotalsFile, BadFilesGiveAFreshMachineAndAValidFileAfterTheNextSave) {
  const std::string huge(5 * 1024 * 1024, '7');
  const std::string binary("\x00\xff\x12\r\n\x00", 6);
  struct Case {
    const char* name;
    std::function<void()> make;
  };
  const Case cases[] = {
      {"missing", [] {}},
      {"empty", [&] { folder.write("data1.ini", ""); }},
      {"letters", [&] { folder.write("data1.ini", "abc\r\n"); }},
      {"infinite", [&] { folder.write("data1.ini", "inf\r\n"); }},
      {"too large a number", [&] { folder.write("data1.ini", "1e999\r\n"); }},
      {"absurd money", [&] { folder.write("data1.ini", "1e300\r\n"); }},
      {"5 MiB", [&] { folder.write("data1.ini", huge); }},
      {"binary", [&] { folder.write("data1.ini", binary); }},
      {"a folder", [&] { fs::create_directory(folder.path() / "data1.ini"); }},
  };
  for (const Case& c : cases) {
    fs::remove_all(folder.path() / "data1.ini");
    c.make();
    EXPECT_EQ(load(), "1000") << c.name;
    EXPECT_EQ(host.state().Info.Takings, "0") << c.name;
    host.machine().SaveStatic();
    if (fs::is_regular_file(folder.path() / "data1.ini")) {
      EXPECT_EQ(folder.read("data1.ini"), "1000\r\n") << c.name;
    }
  }
}

// Each start the issue of lost coins met: the file a start plays on, and the money carried.
TEST(MoneyPlace, NoFileTimeDecidesAndAStandInLivesOnlyWhileItsFolderCannotBeWritten) {
  using enum MoneyFile;
  using Carry = MoneyPlan::Carry;
  struct Case {
    const char* start;
    MoneyFacts facts;
    MoneyFile playOn;
    std::optional<Carry> carry;
  };
  const Case cases[] = {
      // A portable copy beside a user file saved later, touched, copied without its times, stamped
      // in the future, or after its own file was deleted to start afresh: its own money, or 1000.
      {"portable copy, writable folder", {false, true, false}, BesideProgram, std::nullopt},
      {"folder unwritable: a stand-in starts from the folder's money",
       {false, false, false},
       StandIn,
       Carry{BesideProgram, StandIn, false}},
      {"still unwritable: the stand-in's money", {false, false, true}, StandIn, std::nullopt},
      {"writable again: the money goes home and the stand-in goes",
       {false, true, true},
       BesideProgram,
       Carry{StandIn, BesideProgram, true}},
      {"installed, whatever the folder", {true, true, true}, UserFile, std::nullopt},
      {"installed, an unwritable folder", {true, false, false}, UserFile, std::nullopt},
  };
  for (const Case& c : cases) {
    const MoneyPlan plan = planMoneyPlace(c.facts);
    EXPECT_EQ(plan.playOn, c.playOn) << c.start;
    EXPECT_EQ(plan.carry, c.carry) << c.start;
  }
}

TEST(MoneyPlace, ThePlanNamesTheDesktopsFilesAndWithoutAUserFolderTheMoneyStaysBeside) {
  const MoneyPaths paths{"/g/data1.ini", "/u/data1.ini", "/u/data1-1.ini"};
  const TotalsLocation back = locateMoney({false, true, true}, paths);
  EXPECT_EQ(back.file, "/g/data1.ini");
  EXPECT_EQ(back.carryFrom, "/u/data1-1.ini");
  EXPECT_TRUE(back.removeCarried);
  EXPECT_EQ(locateMoney({true, true, false}, paths).file, "/u/data1.ini");
  const TotalsLocation nowhere = locateMoney({true, false, false}, MoneyPaths{"/g/data1.ini", {}, {}});
  EXPECT_EQ(nowhere.file, "/g/data1.ini");
  EXPECT_EQ(nowhere.carryFrom, "");
}

TEST(MoneyPlace, EachFolderHasAStandInOfItsOwnApartFromTheInstalledGamesFile) {
  const std::string mine = standInName("/home/player/Игры/vertuno");
  EXPECT_EQ(mine, standInName("/home/player/Игры/vertuno")) << "found again at the next start";
  EXPECT_NE(mine, standInName("/home/player/Игры/vertuno2"));
  EXPECT_NE(mine, "data1.ini");
  EXPECT_TRUE(mine.starts_with("data1-") && mine.ends_with(".ini")) << mine;
}

TEST(MoneyPlace, OnlyMoneyIsCarried) {
  EXPECT_EQ(carriedMoney("5000\r\n"), "5000\r\n");
  EXPECT_EQ(carriedMoney("\xEF\xBB\xBF"
                         "137"),
            "137\r\n");
  for (const char* none : {"", "abc", "12 coins"}) EXPECT_EQ(carriedMoney(none), std::nullopt) << none;
  EXPECT_EQ(carriedMoney(std::string("\xFF\xFE"
                                     "1\0"
                                     "3\0"
                                     "7\0",
                                     8)),
            std::nullopt)
      << "UTF-16";
  EXPECT_EQ(carriedMoney(std::nullopt), std::nullopt);
}

}  // namespace
}  // namespace vertuno::testing
