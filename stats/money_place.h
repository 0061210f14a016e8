#pragma once

#include <optional>
#include <string>

namespace vertuno {

// Where a desktop game keeps its money. An installed game keeps each user's money in the user's
// data folder. A copy run from a folder of its own keeps it beside itself, and, while that
// folder cannot be written, in a stand-in in the user's data folder that belongs to that folder
// alone. No file's time decides anything: a clock ahead, a copy without its times or a restored
// backup cannot take money back.

// What a start finds, gathered by the front end.
struct MoneyFacts {
  bool installed = false;       // the `installed` marker lies beside the program
  bool folderWritable = false;  // the program's folder can be written
  bool standInPresent = false;  // the user's stand-in for this program folder exists
};

enum class MoneyFile { BesideProgram, UserFile, StandIn };

struct MoneyPlan {
  MoneyFile playOn = MoneyFile::BesideProgram;
  // Money carried from one file into another before play, both claimed first; the source goes
  // afterwards when it was a stand-in whose folder can be written again.
  struct Carry {
    MoneyFile from;
    MoneyFile to;
    bool removeSource;
    bool operator==(const Carry&) const = default;
  };
  std::optional<Carry> carry;
};

MoneyPlan planMoneyPlace(const MoneyFacts& facts);

// The files the money may live in, as the desktop names them. A desktop that finds no user
// folder names no user file nor stand-in: the money then stays beside the program.
struct MoneyPaths {
  std::string besideProgram;
  std::string userFile;
  std::string standIn;
};

// The plan, in the desktop's paths.
struct TotalsLocation {
  std::string file;
  std::string carryFrom;  // empty when nothing is carried
  bool removeCarried = false;
};
TotalsLocation locateMoney(const MoneyFacts& facts, const MoneyPaths& paths);

// The stand-in's file name for a program folder, named after that folder's path.
std::string standInName(const std::string& programFolder);

// What a carry writes, given what the source file holds: nothing when it holds no money.
std::optional<std::string> carriedMoney(const std::optional<std::string>& sourceBytes);

}  // namespace vertuno
