#include "platform/random_source.h"

#include <chrono>

namespace vertuno {

void RandomSource::reseed() {
  const auto now = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  ++reseeds_;
  std::seed_seq seed{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32),
                     static_cast<std::uint32_t>(reseeds_), static_cast<std::uint32_t>(reseeds_ >> 32)};
  generator_.seed(seed);
}

double RandomSource::next() { return static_cast<double>(generator_() >> 11) * 0x1.0p-53; }

}  // namespace vertuno
