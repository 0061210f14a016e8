#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <set>

#include "posix/durable_file.h"
#include "stats/totals_file.h"
#include "unit/temp_folder.h"

namespace vertuno::testing {
namespace {

namespace fs = std::filesystem;
using posix::removeStaleTemporaries;
using posix::replaceFileDurably;

class DurableFile : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string path = folder.file("data1.ini");
};

TEST_F(DurableFile, AFailedSaveKeepsTheOldFileAndLeavesNoDebris) {
  folder.write("data1.ini", "512\r\n");
  const std::error_code failed = replaceFileDurably(folder.file("no-such-folder/data1.ini"), "7\r\n");
  EXPECT_EQ(failed, std::errc::no_such_file_or_directory);
  EXPECT_FALSE(replaceFileDurably(folder.file("data1.ini"), "513\r\n"));
  EXPECT_EQ(folder.read("data1.ini"), "513\r\n");
  int entries = 0;
  for ([[maybe_unused]] auto& entry : fs::directory_iterator(folder.path())) ++entries;
  EXPECT_EQ(entries, 1) << "no temporary file is left behind";
}

TEST_F(DurableFile, ASymbolicLinkIsFollowedAndKept) {
  fs::create_directory(folder.path() / "elsewhere");
  folder.write("elsewhere/money", "512\r\n");
  fs::create_symlink("elsewhere/money", folder.path() / "data1.ini");
  EXPECT_EQ(readTotalsFile(path), "512");
  EXPECT_FALSE(replaceFileDurably(path, "600\r\n"));
  EXPECT_TRUE(fs::is_symlink(folder.path() / "data1.ini"));
  EXPECT_EQ(folder.read("elsewhere/money"), "600\r\n");
}

TEST_F(DurableFile, ASaveKilledAtAnyMomentLeavesOneCompleteValue) {
  std::mt19937 random(7);
  ASSERT_FALSE(replaceFileDurably(path, "999\r\n"));
  for (int round = 0; round < 20; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int value = 1000;; ++value) replaceFileDurably(path, std::to_string(value) + "\r\n");
    }
    ::usleep(1000 + random() % 20000);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string bytes = folder.read("data1.ini");
    ASSERT_GE(bytes.size(), 5u) << "round " << round;
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    EXPECT_TRUE(isPlausibleMoney(bytes.substr(0, bytes.size() - 2))) << bytes;
  }
  // The next start clears what the killed savers left, one under its own number too (a killed
  // namesake's), but not a live saver's file.
  const std::string live = "data1.ini.new-" + std::to_string(::getppid());
  folder.write(live, "1");
  folder.write("data1.ini.new-" + std::to_string(::getpid()), "1");
  folder.write("data1.ini.new-notapid", "1");
  removeStaleTemporaries(path);
  std::set<std::string> left;
  for (auto& entry : fs::directory_iterator(folder.path())) left.insert(entry.path().filename());
  EXPECT_EQ(left, (std::set<std::string>{"data1.ini", live, "data1.ini.new-notapid"}));
}

TEST_F(DurableFile, ASaveWritesNothingThroughALinkAndReplacesOnlyARegularFile) {
  folder.write("data1.ini", "512\r\n");
  folder.write("elsewhere", "precious\n");
  fs::permissions(folder.path() / "elsewhere", fs::perms(0600));
  fs::create_symlink("elsewhere", folder.path() / ("data1.ini.new-" + std::to_string(::getpid())));
  EXPECT_TRUE(replaceFileDurably(path, "513\r\n")) << "a link planted under the temporary's name fails the save";
  EXPECT_EQ(folder.read("elsewhere"), "precious\n");
  EXPECT_EQ(fs::status(folder.path() / "elsewhere").permissions(), fs::perms(0600));
  EXPECT_EQ(folder.read("data1.ini"), "512\r\n");

  const std::string device = folder.file("device.ini");
  fs::create_symlink("/dev/null", device);
  EXPECT_EQ(replaceFileDurably(device, "513\r\n"), std::errc::operation_not_permitted);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  fs::create_directory(folder.path() / "folder.ini");
  EXPECT_EQ(replaceFileDurably(folder.file("folder.ini"), "513\r\n"), std::errc::operation_not_permitted);
}

TEST_F(DurableFile, AReplacedFileKeepsItsPermissionBits) {
  for (const auto mode : {fs::perms(0444), fs::perms(0600), fs::perms(0664)}) {
    folder.write("data1.ini", "512\r\n");
    fs::permissions(path, mode);
    ASSERT_FALSE(replaceFileDurably(path, "513\r\n"));
    EXPECT_EQ(fs::status(path).permissions(), mode);
  }
}

}  // namespace
}  // namespace vertuno::testing
