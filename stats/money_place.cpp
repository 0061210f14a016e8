#include "stats/money_place.h"

#include <cstdint>
#include <cstdio>

#include "stats/totals_file.h"

namespace vertuno {

MoneyPlan planMoneyPlace(const MoneyFacts& facts) {
  using enum MoneyFile;
  if (facts.installed) return {UserFile, std::nullopt};
  if (facts.folderWritable) {
    if (facts.standInPresent) return {BesideProgram, MoneyPlan::Carry{StandIn, BesideProgram, true}};
    return {BesideProgram, std::nullopt};
  }
  if (facts.standInPresent) return {StandIn, std::nullopt};
  return {StandIn, MoneyPlan::Carry{BesideProgram, StandIn, false}};
}

TotalsLocation locateMoney(const MoneyFacts& facts, const MoneyPaths& paths) {
  if (paths.userFile.empty()) return {paths.besideProgram, {}, false};
  const MoneyPlan plan = planMoneyPlace(facts);
  const auto path = [&paths](MoneyFile file) {
    switch (file) {
      case MoneyFile::BesideProgram: return paths.besideProgram;
      case MoneyFile::UserFile: return paths.userFile;
      case MoneyFile::StandIn: return paths.standIn;
    }
    return std::string();
  };
  if (!plan.carry) return {path(plan.playOn), {}, false};
  return {path(plan.playOn), path(plan.carry->from), plan.carry->removeSource};
}

// FNV-1a: the same name from every build, where std::hash may differ between libraries.
std::string standInName(const std::string& programFolder) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : programFolder) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  char name[32];
  std::snprintf(name, sizeof name, "data1-%016llx.ini", static_cast<unsigned long long>(hash));
  return name;
}

std::optional<std::string> carriedMoney(const std::optional<std::string>& sourceBytes) {
  if (!sourceBytes) return std::nullopt;
  const auto text = totalsText(*sourceBytes);
  if (!text || !isPlausibleMoney(*text)) return std::nullopt;
  return totalsFileBytes(*text);
}

}  // namespace vertuno
