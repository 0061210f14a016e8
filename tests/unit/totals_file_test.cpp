#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <set>

#include "stats/totals_file.h"
#include "unit/fake_host.h"
#include "unit/temp_folder.h"

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

TEST_F(TotalsFile, ALineOfMoneyIsReadWithoutItsLineEnds) {
  for (const char* bytes : {"512\r\n", "512", "512\r\n\r\n", "512\n"}) {
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
  struct Case { const char* name; std::function<void()> make; };
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

TEST_F(TotalsFile, AFailedSaveKeepsTheOldFileAndLeavesNoDebris) {
  folder.write("data1.ini", "512\r\n");
  EXPECT_FALSE(writeTotalsFile(folder.file("no-such-folder/data1.ini"), "7"));
  EXPECT_TRUE(writeTotalsFile(folder.file("data1.ini"), "513"));
  EXPECT_EQ(folder.read("data1.ini"), "513\r\n");
  int entries = 0;
  for ([[maybe_unused]] auto& entry : fs::directory_iterator(folder.path())) ++entries;
  EXPECT_EQ(entries, 1) << "no temporary file is left behind";
}

TEST_F(TotalsFile, ASymbolicLinkIsFollowedAndKept) {
  fs::create_directory(folder.path() / "elsewhere");
  folder.write("elsewhere/money", "512\r\n");
  fs::create_symlink("elsewhere/money", folder.path() / "data1.ini");
  EXPECT_EQ(load(), "512");
  EXPECT_TRUE(writeTotalsFile(host.totalsPath, "600"));
  EXPECT_TRUE(fs::is_symlink(folder.path() / "data1.ini"));
  EXPECT_EQ(folder.read("elsewhere/money"), "600\r\n");
}

TEST_F(TotalsFile, ASaveKilledAtAnyMomentLeavesOneCompleteValue) {
  std::mt19937 random(7);
  ASSERT_TRUE(writeTotalsFile(host.totalsPath, "999"));
  for (int round = 0; round < 20; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int value = 1000;; ++value) writeTotalsFile(host.totalsPath, std::to_string(value));
    }
    ::usleep(1000 + random() % 20000);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string bytes = folder.read("data1.ini");
    ASSERT_GE(bytes.size(), 5u) << "round " << round;
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    EXPECT_TRUE(isPlausibleMoney(bytes.substr(0, bytes.size() - 2))) << bytes;
  }
  // The next start clears what the killed savers left, but not a live saver's file.
  const std::string ours = "data1.ini.new-" + std::to_string(::getpid());
  folder.write(ours, "1");
  folder.write("data1.ini.new-notapid", "1");
  removeStaleTemporaries(host.totalsPath);
  std::set<std::string> left;
  for (auto& entry : fs::directory_iterator(folder.path())) left.insert(entry.path().filename());
  EXPECT_EQ(left, (std::set<std::string>{"data1.ini", ours, "data1.ini.new-notapid"}));
}

TEST_F(TotalsFile, AReplacedFileKeepsItsPermissionBits) {
  for (const auto mode : {fs::perms(0444), fs::perms(0600), fs::perms(0664)}) {
    folder.write("data1.ini", "512\r\n");
    fs::permissions(host.totalsPath, mode);
    ASSERT_TRUE(writeTotalsFile(host.totalsPath, "513"));
    EXPECT_EQ(fs::status(host.totalsPath).permissions(), mode);
  }
}

}  // namespace
}  // namespace vertuno::testing
