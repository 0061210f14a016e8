#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "posix/durable_file.h"
#include "posix/file_claim.h"
#include "unit/temp_folder.h"

namespace vertuno::testing {
namespace {

namespace fs = std::filesystem;
using posix::FileClaim;
using Outcome = FileClaim::Outcome;

class Claim : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string path = folder.file("data1.ini");
};

TEST_F(Claim, EveryNameOfTheFileSeesTheClaimAndACopyCarriesNone) {
  folder.write("data1.ini", "512\r\n");
  FileClaim first;
  ASSERT_EQ(first.take(path), Outcome::Taken);
  fs::create_directory(folder.path() / "other");
  fs::create_symlink(path, folder.path() / "other/linked.ini");
  fs::create_hard_link(path, folder.path() / "other/hard.ini");
  fs::copy_file(path, folder.path() / "other/copied.ini");
  FileClaim second;
  EXPECT_EQ(second.take(path), Outcome::HeldElsewhere);
  EXPECT_EQ(second.take(folder.file("other/linked.ini")), Outcome::HeldElsewhere);
  EXPECT_EQ(second.take(folder.file("other/hard.ini")), Outcome::HeldElsewhere);
  EXPECT_EQ(second.take(folder.file("other/copied.ini")), Outcome::Taken);
  EXPECT_EQ(folder.read("data1.ini"), "512\r\n") << "the claim changes nothing in the file";
}

TEST_F(Claim, ASaveHandsTheClaimToTheNewContentAndLeavesNothingBeside) {
  FileClaim claim;
  ASSERT_EQ(claim.take(path), Outcome::Taken) << "a missing file is made, empty";
  for (const char* money : {"513\r\n", "514\r\n"}) {
    ASSERT_FALSE(posix::replaceFileDurably(path, money, &claim));
    FileClaim later;
    EXPECT_EQ(later.take(path), Outcome::HeldElsewhere) << money;
  }
  EXPECT_EQ(folder.read("data1.ini"), "514\r\n");
  int entries = 0;
  for ([[maybe_unused]] auto& entry : fs::directory_iterator(folder.path())) ++entries;
  EXPECT_EQ(entries, 1) << "no lock file";
}

TEST_F(Claim, TheSystemDropsTheClaimOfAKilledProcess) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    FileClaim claim;
    [[maybe_unused]] auto said = ::write(ready[1], claim.take(path) == Outcome::Taken ? "y" : "n", 1);
    ::pause();
  }
  char taken = 0;
  ASSERT_EQ(::read(ready[0], &taken, 1), 1);
  ASSERT_EQ(taken, 'y');
  FileClaim ours;
  EXPECT_EQ(ours.take(path), Outcome::HeldElsewhere);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_EQ(ours.take(path), Outcome::Taken);
}

}  // namespace
}  // namespace vertuno::testing
