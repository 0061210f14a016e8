#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <set>

#include "platform/temporary_file.h"
#include "posix/durable_file.h"
#include "posix/held_file.h"
#include "stats/totals_file.h"
#include "tests/core/temp_folder.h"

namespace vertuno::testing {
namespace {

namespace fs = std::filesystem;
using posix::HeldFile;
using posix::readFile;
using posix::removeStaleTemporaries;
using posix::replaceFileDurably;

constexpr uid_t Nobody = 65534;

class DurableFile : public ::testing::Test {
 protected:
  std::error_code save(const std::string& bytes) { return replaceFileDurably(HeldFile(path), bytes); }
  std::set<std::string> names() const {
    std::set<std::string> left;
    for (auto& entry : fs::directory_iterator(folder.path())) left.insert(entry.path().filename());
    return left;
  }
  TempFolder folder;
  std::string path = folder.file("data1.ini");
};

TEST_F(DurableFile, AFailedSaveKeepsTheOldFileAndLeavesNoDebris) {
  folder.write("data1.ini", "512\r\n");
  EXPECT_EQ(replaceFileDurably(HeldFile(folder.file("no-such-folder/data1.ini")), "7\r\n"),
            std::errc::no_such_file_or_directory);
  EXPECT_FALSE(save("513\r\n"));
  EXPECT_EQ(folder.read("data1.ini"), "513\r\n");
  EXPECT_EQ(names(), std::set<std::string>{"data1.ini"}) << "no temporary file is left behind";
}

TEST_F(DurableFile, TheUsersOwnLinkIsFollowedAndKeptAnotherUsersNever) {
  fs::create_directory(folder.path() / "elsewhere");
  folder.write("elsewhere/money", "512\r\n");
  fs::create_symlink("elsewhere/money", folder.path() / "data1.ini");
  const HeldFile held(path);
  EXPECT_EQ(readFile(held, LargestTotalsFile), "512\r\n");
  EXPECT_FALSE(replaceFileDurably(held, "600\r\n"));
  EXPECT_TRUE(fs::is_symlink(folder.path() / "data1.ini"));
  EXPECT_EQ(folder.read("elsewhere/money"), "600\r\n");

  if (::geteuid() != 0) GTEST_SKIP() << "only root can plant another user's link";
  ASSERT_EQ(::lchown(path.c_str(), Nobody, Nobody), 0);
  const HeldFile planted(path);
  EXPECT_EQ(readFile(planted, LargestTotalsFile), std::nullopt);
  EXPECT_TRUE(replaceFileDurably(planted, "700\r\n"));
  EXPECT_EQ(folder.read("elsewhere/money"), "600\r\n");
}

TEST_F(DurableFile, ASaveKilledAtAnyMomentLeavesOneCompleteValue) {
  std::mt19937 random(7);
  ASSERT_FALSE(save("999\r\n"));
  for (int round = 0; round < 20; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const HeldFile held(path);
      for (int value = 1000;; ++value) replaceFileDurably(held, std::to_string(value) + "\r\n");
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
  // namesake's), but not a live saver's file, nor anything a link names.
  const std::string live = platform::temporaryName("data1.ini", ::getppid());
  folder.write(live, "1");
  folder.write(platform::temporaryName("data1.ini", ::getpid()), "1");
  folder.write("data1.ini.new-notapid", "1");
  folder.write("precious", "precious\n");
  const std::string link = "data1.ini.new-" + std::to_string(::getpid());
  fs::create_symlink("precious", folder.path() / link);
  removeStaleTemporaries(HeldFile(path));
  EXPECT_EQ(names(), (std::set<std::string>{"data1.ini", live, "data1.ini.new-notapid", "precious", link}));
  EXPECT_EQ(folder.read("precious"), "precious\n");
}

TEST_F(DurableFile, ASaveWritesNothingThroughALinkAndReplacesOnlyARegularFileThatMayBeWritten) {
  // The names an earlier version would have used, each planted as a link: none is written.
  folder.write("data1.ini", "512\r\n");
  folder.write("elsewhere", "precious\n");
  fs::permissions(folder.path() / "elsewhere", fs::perms(0600));
  fs::create_symlink("elsewhere", folder.path() / ("data1.ini.new-" + std::to_string(::getpid())));
  EXPECT_FALSE(save("513\r\n"));
  EXPECT_EQ(folder.read("elsewhere"), "precious\n");
  EXPECT_EQ(fs::status(folder.path() / "elsewhere").permissions(), fs::perms(0600));
  EXPECT_EQ(folder.read("data1.ini"), "513\r\n");
  EXPECT_NE(platform::temporaryName("data1.ini", 7), platform::temporaryName("data1.ini", 7)) << "unguessable";

  const std::string device = folder.file("device.ini");
  fs::create_symlink("/dev/null", device);
  EXPECT_EQ(replaceFileDurably(HeldFile(device), "513\r\n"), std::errc::operation_not_permitted);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  fs::create_directory(folder.path() / "folder.ini");
  EXPECT_EQ(replaceFileDurably(HeldFile(folder.file("folder.ini")), "513\r\n"), std::errc::operation_not_permitted);

  for (const auto mode : {fs::perms(0600), fs::perms(0664)}) {
    fs::permissions(path, mode);
    ASSERT_FALSE(save("514\r\n"));
    EXPECT_EQ(fs::status(path).permissions(), mode);
  }
  fs::permissions(path, fs::perms(0444));
  EXPECT_EQ(save("515\r\n"), std::errc::permission_denied) << "its owner made it read-only";
  EXPECT_EQ(folder.read("data1.ini"), "514\r\n");
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0444));
}

TEST_F(DurableFile, AHeldFolderIsSavedToWhereverItIsMoved) {
  fs::create_directory(folder.path() / "game");
  folder.write("game/data1.ini", "512\r\n");
  const HeldFile held(folder.file("game/data1.ini"));
  fs::rename(folder.path() / "game", folder.path() / "moved");
  EXPECT_FALSE(replaceFileDurably(held, "513\r\n"));
  EXPECT_EQ(folder.read("moved/data1.ini"), "513\r\n");
  EXPECT_EQ(readFile(held, LargestTotalsFile), "513\r\n");
  EXPECT_EQ(held.identity(), HeldFile(folder.file("moved/data1.ini")).identity());
}

TEST_F(DurableFile, UnderRootAFileKeepsItsOwnerAndANewOneTakesTheFolderOwners) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root gives files away";
  fs::create_directory(folder.path() / "players");
  const std::string players = folder.file("players");
  ASSERT_EQ(::chown(players.c_str(), Nobody, Nobody), 0);
  const HeldFile held(players + "/data1.ini");
  ASSERT_FALSE(replaceFileDurably(held, "512\r\n"));
  struct stat made {};
  ASSERT_EQ(::stat((players + "/data1.ini").c_str(), &made), 0);
  EXPECT_EQ(made.st_uid, Nobody) << "the player's later saves still succeed";
  EXPECT_FALSE(replaceFileDurably(held, "513\r\n")) << "and root's own too";
  ASSERT_EQ(::stat((players + "/data1.ini").c_str(), &made), 0);
  EXPECT_EQ(made.st_uid, Nobody);
  EXPECT_EQ(folder.read("players/data1.ini"), "513\r\n");

  // What a start with sudo by an earlier version left: root's file in the player's folder.
  ASSERT_EQ(::chown((players + "/data1.ini").c_str(), 0, 0), 0);
  const pid_t player = ::fork();
  ASSERT_GE(player, 0);
  if (player == 0) {
    const bool saved = ::setresgid(Nobody, Nobody, Nobody) == 0 && ::setresuid(Nobody, Nobody, Nobody) == 0 &&
                       !replaceFileDurably(HeldFile(players + "/data1.ini"), "514\r\n");
    ::_exit(saved ? 0 : 1);
  }
  int status = 0;
  ::waitpid(player, &status, 0);
  EXPECT_EQ(status, 0) << "the player saves over it";
  EXPECT_EQ(folder.read("players/data1.ini"), "514\r\n");
}

}  // namespace
}  // namespace vertuno::testing
