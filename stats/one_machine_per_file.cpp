#include "stats/one_machine_per_file.h"

#include <thread>

namespace vertuno {

std::chrono::steady_clock::time_point MoneyFiles::now() { return std::chrono::steady_clock::now(); }

void MoneyFiles::pause(std::chrono::milliseconds length) { std::this_thread::sleep_for(length); }

namespace {

using File = MoneyFiles::File;

// Nothing when the start may go on with this file.
std::optional<Start> claimOne(MoneyFiles& files, File file, StartRefusal& refusal) {
  const auto deadline = files.now() + HolderAnswerDeadline;
  while (true) {
    const MoneyFiles::Claim claim = files.claim(file);
    const bool unlocked = claim == MoneyFiles::Claim::LocksUnavailable;
    // Only the played file's name is claimed: the carried one goes at the start's end.
    if (unlocked && (file == File::Carried || files.claimByName(file))) return std::nullopt;
    if (claim == MoneyFiles::Claim::Taken && file == File::Played &&
        files.askNotedHolderForward(file) == MoneyFiles::Answer::Shown) {
      return Start{Start::Outcome::HandedOver, {}};
    }
    if (!unlocked && claim != MoneyFiles::Claim::HeldElsewhere) return std::nullopt;
    switch (files.askHolderForward(file, refusal.holdingUser)) {
      case MoneyFiles::Answer::Shown: return Start{Start::Outcome::HandedOver, {}};
      case MoneyFiles::Answer::AnotherUser:
        refusal.holder = StartRefusal::Holder::AnotherUser;
        return Start{Start::Outcome::Refused, refusal};
      case MoneyFiles::Answer::NoAnswer: break;
    }
    if (files.now() >= deadline) {
      refusal.holder = unlocked                    ? StartRefusal::Holder::UnlockedFolder
                       : files.hasOtherNames(file) ? StartRefusal::Holder::AnotherName
                                                   : StartRefusal::Holder::Silent;
      return Start{Start::Outcome::Refused, refusal};
    }
    files.pause(HolderAskPause);
  }
}

}  // namespace

Start claimMoney(MoneyFiles& files, const TotalsLocation& location) {
  StartRefusal refusal;
  refusal.totalsFile = location.file;
  if (auto start = claimOne(files, File::Played, refusal)) return *start;
  const bool carries = !location.carryFrom.empty();
  if (carries) {
    if (auto start = claimOne(files, File::Carried, refusal)) return *start;
  }
  files.removeStaleTemporaries();
  if (!carries) return {};
  if (const auto money = carriedMoney(files.read(File::Carried))) {
    if (!files.replace(File::Played, *money)) return {};
  }
  if (location.removeCarried) files.remove(File::Carried);
  return {};
}

}  // namespace vertuno
