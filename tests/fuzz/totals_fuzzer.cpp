// Feeds arbitrary bytes to the totals-file load and the numeric field reader.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/numeric_text.h"
#include "posix/durable_file.h"
#include "stats/totals_file.h"

namespace {

const std::string& scratchFile() {
  static const std::string path = "/tmp/vertuno-fuzz-" + std::to_string(::getpid()) + ".ini";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // Whatever reads as a number writes back as text that reads as the same number.
  if (auto value = vertuno::readNumber(bytes)) {
    if (!std::isfinite(*value)) std::abort();
    const auto again = vertuno::readNumber(vertuno::writeNumber(*value));
    if (!again || *again != *value) std::abort();
  }

  if (std::FILE* file = std::fopen(scratchFile().c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  if (auto text = vertuno::readTotalsFile(scratchFile())) {
    if (!text->empty() && (text->back() == '\r' || text->back() == '\n')) std::abort();
    // A plausible text survives a save and a load unchanged.
    if (vertuno::isPlausibleMoney(*text) && !vertuno::posix::replaceFileDurably(scratchFile(), vertuno::totalsFileBytes(*text))) {
      const auto reread = vertuno::readTotalsFile(scratchFile());
      if (!reread || *reread != *text) std::abort();
    }
  }
  return 0;
}
