#pragma once

#include <cstdint>
#include <random>

namespace vertuno {

// The uniform source the platforms give the machine. Two seeds never repeat: the clock is
// mixed with a count of reseeds.
class RandomSource {
 public:
  void reseed();
  // In [0, 1), with all 53 bits of a double.
  double next();

 private:
  std::mt19937_64 generator_;
  std::uint64_t reseeds_ = 0;
};

}  // namespace vertuno
