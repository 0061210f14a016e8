#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "stats/money_place.h"
#include "stats/start_refusal.h"

namespace vertuno {

// One machine per totals file: two games playing on one file would each save over the other's
// coins. A start claims the file it plays on and the one it carries money from; where a game
// holds one, the start asks that game to come to the front and ends, or says who holds the
// money. Each desktop claims, asks and reads its own way; what follows from each answer is
// decided here, once.
class MoneyFiles {
 public:
  enum class File { Played, Carried };
  // LocksUnavailable: the file is open, but its file system keeps no locks (NFS without its
  // lock daemon). Impossible: the file cannot be opened at all, and is played unclaimed.
  enum class Claim { Taken, HeldElsewhere, LocksUnavailable, Impossible };
  enum class Answer { Shown, NoAnswer, AnotherUser };

  virtual ~MoneyFiles() = default;

  // A claim the system drops when the process ends, however it ends.
  virtual Claim claim(File file) = 0;
  // Where no lock can be had, a name only one process of this computer holds at a time claims
  // the file instead: false when another process holds it.
  virtual bool claimByName(File file) = 0;
  // Asks the game that holds the file to come to the front; names the user of AnotherUser's.
  virtual Answer askHolderForward(File file, std::string& holdingUser) = 0;
  // Whether the file also has names in other folders (a hard link).
  virtual bool hasOtherNames(File file) = 0;
  // The same folder mounted a second time (FUSE) shows the file under another identity with
  // locks of its own, so neither the claim nor a name made from the file meets there. A holder
  // also notes its name beside the file; a start asks the game noted there, which comes forward
  // only when its own folder is the start's (a copy of the folder is a machine of its own).
  virtual Answer askNotedHolderForward(File) { return Answer::NoAnswer; }

  virtual std::optional<std::string> read(File file) = 0;
  // A durable replace under the file's claim; false when it failed.
  virtual bool replace(File file, const std::string& bytes) = 0;
  virtual void remove(File file) = 0;
  // What processes killed in the middle of a save left beside the played file.
  virtual void removeStaleTemporaries() = 0;

  // The desktop's clock, and a pause on it.
  virtual std::chrono::steady_clock::time_point now();
  virtual void pause(std::chrono::milliseconds length);
};

// How long a start keeps asking a game that holds its file: the holder may have claimed the
// file a moment ago and not yet be listening.
inline constexpr std::chrono::milliseconds HolderAnswerDeadline{5000};
inline constexpr std::chrono::milliseconds HolderAskPause{100};

struct Start {
  enum class Outcome { Play, HandedOver, Refused };
  Outcome outcome = Outcome::Play;
  StartRefusal refusal;  // for Refused
};

// Claims the start's files; a start that may play then finds its file tidied and the carried
// money in it. A carry writes nothing when the source holds no money, and a source whose money
// could not be written stays.
Start claimMoney(MoneyFiles& files, const TotalsLocation& location);

}  // namespace vertuno
