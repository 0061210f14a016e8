#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "stats/one_machine_per_file.h"

namespace vertuno::testing {
namespace {

using File = MoneyFiles::File;
using Claim = MoneyFiles::Claim;
using Answer = MoneyFiles::Answer;
using Outcome = Start::Outcome;
using Holder = StartRefusal::Holder;

// A desktop's files as a test lays them out, on a virtual clock; it writes down what the start
// did to them.
class FakeFiles : public MoneyFiles {
 public:
  std::map<File, Claim> claims{{File::Played, Claim::Taken}, {File::Carried, Claim::Taken}};
  bool nameFree = true;
  std::vector<Answer> answers{Answer::NoAnswer};  // one for each ask, the last for the rest
  bool otherNames = false;
  Answer noted = Answer::NoAnswer;
  std::map<File, std::optional<std::string>> content;
  bool replaceFails = false;
  std::vector<std::string> done;
  int asks = 0;
  std::chrono::steady_clock::time_point clock{};

  Claim claim(File file) override { return claims[file]; }
  bool claimByName(File) override { return nameFree; }
  Answer askHolderForward(File, std::string& holdingUser) override {
    holdingUser = "anna";
    return answers[std::min<std::size_t>(asks++, answers.size() - 1)];
  }
  bool hasOtherNames(File) override { return otherNames; }
  Answer askNotedHolderForward(File) override { return noted; }
  std::optional<std::string> read(File file) override { return content[file]; }
  bool replace(File file, const std::string& bytes) override {
    if (replaceFails) return false;
    done.push_back((file == File::Played ? "played: " : "carried: ") + bytes);
    return true;
  }
  void remove(File file) override { done.push_back(file == File::Played ? "played removed" : "carried removed"); }
  void removeStaleTemporaries() override { done.push_back("tidied"); }
  std::chrono::steady_clock::time_point now() override { return clock; }
  void pause(std::chrono::milliseconds length) override { clock += length; }
};

const TotalsLocation Beside{"/games/vertuno/data1.ini", {}, false};

TEST(OneMachinePerFile, AClaimedFileIsPlayedAndAHoldersAnswerHandsOverOrRefuses) {
  FakeFiles mine;
  EXPECT_EQ(claimMoney(mine, Beside).outcome, Outcome::Play);
  EXPECT_EQ(mine.done, std::vector<std::string>{"tidied"});

  FakeFiles unclaimable;  // a folder that cannot be written: there is nothing to hand over to
  unclaimable.claims[File::Played] = Claim::Impossible;
  EXPECT_EQ(claimMoney(unclaimable, Beside).outcome, Outcome::Play);

  FakeFiles running;
  running.claims[File::Played] = Claim::HeldElsewhere;
  running.answers = {Answer::NoAnswer, Answer::NoAnswer, Answer::Shown};  // it claimed a moment ago
  EXPECT_EQ(claimMoney(running, Beside).outcome, Outcome::HandedOver);
  EXPECT_EQ(running.asks, 3);
  EXPECT_EQ(running.done, std::vector<std::string>{}) << "a start that hands over touches nothing";

  FakeFiles mounted;  // its folder mounted a second time: the claim is taken, the noted holder answers
  mounted.noted = Answer::Shown;
  EXPECT_EQ(claimMoney(mounted, Beside).outcome, Outcome::HandedOver);
  EXPECT_EQ(mounted.done, std::vector<std::string>{});

  FakeFiles sudo;
  sudo.claims[File::Played] = Claim::HeldElsewhere;
  sudo.answers = {Answer::AnotherUser};
  const Start refused = claimMoney(sudo, Beside);
  EXPECT_EQ(refused.outcome, Outcome::Refused);
  EXPECT_EQ(refused.refusal.holder, Holder::AnotherUser);
  EXPECT_EQ(refused.refusal.holdingUser, "anna");
  EXPECT_EQ(refused.refusal.totalsFile, Beside.file);
}

TEST(OneMachinePerFile, AHolderThatNeverAnswersIsAskedUntilTheDeadlineAndTheRefusalSaysWhy) {
  struct Case {
    const char* holder;
    Claim claim;
    bool nameFree;
    bool otherNames;
    Holder expected;
  };
  const Case cases[] = {
      {"the Windows game under Wine", Claim::HeldElsewhere, true, false, Holder::Silent},
      {"a game on a hard link elsewhere", Claim::HeldElsewhere, true, true, Holder::AnotherName},
      {"a game on a folder without locks", Claim::LocksUnavailable, false, false, Holder::UnlockedFolder},
  };
  for (const Case& c : cases) {
    FakeFiles files;
    files.claims[File::Played] = c.claim;
    files.nameFree = c.nameFree;
    files.otherNames = c.otherNames;
    const Start start = claimMoney(files, Beside);
    EXPECT_EQ(start.outcome, Outcome::Refused) << c.holder;
    EXPECT_EQ(start.refusal.holder, c.expected) << c.holder;
    EXPECT_GE(files.clock - std::chrono::steady_clock::time_point{}, HolderAnswerDeadline) << c.holder;
    EXPECT_GT(files.asks, 10) << c.holder;
  }
  FakeFiles first;  // where the file system keeps no locks, the name is the claim
  first.claims[File::Played] = Claim::LocksUnavailable;
  EXPECT_EQ(claimMoney(first, Beside).outcome, Outcome::Play);
  EXPECT_EQ(first.asks, 0);
}

TEST(OneMachinePerFile, OnlyMoneyIsCarriedAndASourceWhoseMoneyWasNotWrittenStays) {
  const TotalsLocation home{"/games/vertuno/data1.ini", "/home/p/.local/share/vertuno/data1-1.ini", true};
  FakeFiles files;
  files.content[File::Carried] = "600\r\n";
  EXPECT_EQ(claimMoney(files, home).outcome, Outcome::Play);
  EXPECT_EQ(files.done, (std::vector<std::string>{"tidied", "played: 600\r\n", "carried removed"}));

  FakeFiles empty;
  empty.content[File::Carried] = "";
  claimMoney(empty, home);
  EXPECT_EQ(empty.done, (std::vector<std::string>{"tidied", "carried removed"})) << "nothing to carry";

  FakeFiles failing;
  failing.content[File::Carried] = "600\r\n";
  failing.replaceFails = true;
  claimMoney(failing, home);
  EXPECT_EQ(failing.done, std::vector<std::string>{"tidied"}) << "the stand-in keeps the money";

  const TotalsLocation away{home.carryFrom, home.file, false};  // into a stand-in: the source stays
  FakeFiles out;
  out.content[File::Carried] = "600\r\n";
  claimMoney(out, away);
  EXPECT_EQ(out.done, (std::vector<std::string>{"tidied", "played: 600\r\n"}));

  FakeFiles heldSource;  // a game plays on the source: this start hands over to it
  heldSource.claims[File::Carried] = Claim::HeldElsewhere;
  heldSource.answers = {Answer::Shown};
  EXPECT_EQ(claimMoney(heldSource, home).outcome, Outcome::HandedOver);
  EXPECT_EQ(heldSource.done, std::vector<std::string>{});
}

}  // namespace
}  // namespace vertuno::testing
