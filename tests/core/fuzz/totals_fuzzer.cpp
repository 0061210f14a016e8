// Feeds arbitrary bytes to the totals-file load and the numeric field reader.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/numeric_text.h"
#include "posix/durable_file.h"
#include "posix/held_file.h"
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

  if (auto text = vertuno::totalsText(std::string(bytes))) {
    if (!text->empty() && (text->back() == '\r' || text->back() == '\n')) std::abort();
    // A plausible text survives a save and a load unchanged.
    const vertuno::posix::HeldFile file(scratchFile());
    if (vertuno::isPlausibleMoney(*text) &&
        !vertuno::posix::replaceFileDurably(file, vertuno::totalsFileBytes(*text))) {
      const auto reread = vertuno::posix::readFile(file, vertuno::LargestTotalsFile);
      if (!reread || vertuno::totalsText(*reread) != text) std::abort();
    }
  }
  return 0;
}
