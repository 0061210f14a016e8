#include "platform/temporary_file.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <random>

namespace vertuno::platform {

namespace {

constexpr char TemporaryMark[] = ".new-";

}  // namespace

std::string temporaryName(const std::string& targetName, long processId) {
  static std::random_device source;
  const std::uint64_t random = (std::uint64_t{source()} << 32) ^ source();
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, "%ld-%016llx", processId, static_cast<unsigned long long>(random));
  return targetName + TemporaryMark + suffix;
}

std::optional<long> temporaryWriter(const std::string& name, const std::string& targetName) {
  const std::string mark = targetName + TemporaryMark;
  if (!name.starts_with(mark)) return std::nullopt;
  const char* digits = name.data() + mark.size();
  const char* end = name.data() + name.size();
  long processId = 0;
  const auto [stop, failure] = std::from_chars(digits, end, processId);
  // An earlier version's names end at the number.
  if (failure != std::errc{} || (stop != end && *stop != '-') || processId <= 0) return std::nullopt;
  return processId;
}

}  // namespace vertuno::platform
