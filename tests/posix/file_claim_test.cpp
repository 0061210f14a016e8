#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "posix/durable_file.h"
#include "posix/file_claim.h"
#include "posix/held_file.h"
#include "tests/core/temp_folder.h"

namespace vertuno::testing {
namespace {

namespace fs = std::filesystem;
using posix::FileClaim;
using posix::HeldFile;
using Outcome = FileClaim::Outcome;

class Claim : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string path = folder.file("data1.ini");
};

TEST_F(Claim, EveryNameOfTheFileSeesTheClaimAndACopyCarriesNone) {
  folder.write("data1.ini", "512\r\n");
  FileClaim first;
  ASSERT_EQ(first.take(HeldFile(path)), Outcome::Taken);
  fs::create_directory(folder.path() / "other");
  fs::create_symlink(path, folder.path() / "other/linked.ini");
  fs::create_hard_link(path, folder.path() / "other/hard.ini");
  fs::copy_file(path, folder.path() / "other/copied.ini");
  FileClaim second;
  EXPECT_EQ(second.take(HeldFile(path)), Outcome::HeldElsewhere);
  EXPECT_EQ(second.take(HeldFile(folder.file("other/linked.ini"))), Outcome::HeldElsewhere);
  EXPECT_EQ(second.take(HeldFile(folder.file("other/hard.ini"))), Outcome::HeldElsewhere);
  EXPECT_EQ(second.take(HeldFile(folder.file("other/copied.ini"))), Outcome::Taken);
  EXPECT_EQ(folder.read("data1.ini"), "512\r\n") << "the claim changes nothing in the file";
}

TEST_F(Claim, ASaveHandsTheClaimToTheNewContentAndLeavesNothingBeside) {
  FileClaim claim;
  const HeldFile held(path);
  ASSERT_EQ(claim.take(held), Outcome::Taken) << "a missing file is made, empty";
  for (const char* money : {"513\r\n", "514\r\n"}) {
    ASSERT_FALSE(posix::replaceFileDurably(held, money, &claim));
    FileClaim later;
    EXPECT_EQ(later.take(HeldFile(path)), Outcome::HeldElsewhere) << money;
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
    [[maybe_unused]] auto said = ::write(ready[1], claim.take(HeldFile(path)) == Outcome::Taken ? "y" : "n", 1);
    ::pause();
  }
  char taken = 0;
  ASSERT_EQ(::read(ready[0], &taken, 1), 1);
  ASSERT_EQ(taken, 'y');
  FileClaim ours;
  EXPECT_EQ(ours.take(HeldFile(path)), Outcome::HeldElsewhere);
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_EQ(ours.take(HeldFile(path)), Outcome::Taken);
}

// Root starting in a folder others may write: the name swapped for a link after it was looked
// at must not make root create or claim the file the link names.
TEST_F(Claim, TheClaimNeverOpensThroughALink) {
  const HeldFile held(path);
  fs::create_symlink(folder.file("nologin"), path);
  FileClaim claim;
  EXPECT_EQ(claim.take(held), Outcome::Impossible);
  EXPECT_FALSE(fs::exists(folder.path() / "nologin")) << "nothing made where the link points";
  folder.write("nologin", "");
  EXPECT_EQ(claim.take(held), Outcome::Impossible);
  EXPECT_EQ(claim.descriptor(), -1);
}

TEST_F(Claim, UnderRootAFileTheClaimMakesIsTheFolderOwners) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root gives files away";
  constexpr uid_t Nobody = 65534;
  ASSERT_EQ(::chown(folder.path().c_str(), Nobody, Nobody), 0);
  FileClaim claim;
  ASSERT_EQ(claim.take(HeldFile(path)), Outcome::Taken);
  EXPECT_EQ(fs::status(path).type(), fs::file_type::regular);
  struct stat made {};
  ASSERT_EQ(::stat(path.c_str(), &made), 0);
  EXPECT_EQ(made.st_uid, Nobody);
}

}  // namespace
}  // namespace vertuno::testing
