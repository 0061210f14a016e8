#include "assets/machine_sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "machine/sounds.h"

namespace vertuno::sounds {

namespace {

struct Partial {
  double frequency;
  double amplitude;
  double decayPerSecond;
};

// A small deterministic noise source, so the sounds come out the same on every build.
class Noise {
 public:
  double next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) * 0x1.0p-52 - 1.0;
  }

 private:
  std::uint64_t state_ = 0x5eed;
};

std::vector<double> coinClink() {
  // A struck metal disc: inharmonic partials, the high ones dying first.
  const Partial partials[] = {{2960, 0.50, 9},  {4420, 0.32, 13}, {5860, 0.22, 17},
                              {7410, 0.14, 24}, {8890, 0.08, 30}, {3710, 0.12, 11}};
  std::vector<double> samples(static_cast<std::size_t>(SampleRate * 0.42));
  Noise noise;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    double v = 0;
    for (const Partial& p : partials) {
      v += p.amplitude * std::exp(-p.decayPerSecond * t) * std::sin(2 * std::numbers::pi * p.frequency * t);
    }
    const double strike = 0.35 * noise.next() * std::exp(-t * 900);  // the tick of metal on metal
    const double attack = std::min(1.0, t / 0.0015);
    samples[i] = attack * v + strike;
  }
  return samples;
}

std::vector<double> slotClick() {
  // A latch snapping shut: a bright transient over a short wooden knock.
  std::vector<double> samples(static_cast<std::size_t>(SampleRate * 0.09));
  Noise noise;
  double lowPassed = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    lowPassed += 0.35 * (noise.next() - lowPassed);
    const double snap = lowPassed * std::exp(-t * 220);
    const double knock = 0.6 * std::exp(-t * 60) * std::sin(2 * std::numbers::pi * 190 * t);
    const double rattle = t > 0.018 ? 0.25 * lowPassed * std::exp(-(t - 0.018) * 300) : 0;
    samples[i] = snap + knock + rattle;
  }
  return samples;
}

}  // namespace

std::vector<std::int16_t> synthesise(std::string_view name) {
  std::vector<double> samples = name == Click ? slotClick() : name == Coin ? coinClink() : std::vector<double>{};
  double peak = 0;
  for (double s : samples) peak = std::max(peak, std::fabs(s));
  const double gain = peak > 0 ? 0.707 / peak : 0;
  const std::size_t fade = std::min<std::size_t>(samples.size(), SampleRate / 100);
  for (std::size_t i = 0; i < fade; ++i) samples[samples.size() - 1 - i] *= static_cast<double>(i) / fade;
  std::vector<std::int16_t> pcm;
  pcm.reserve(samples.size());
  for (double s : samples)
    pcm.push_back(static_cast<std::int16_t>(std::lround(std::clamp(s * gain, -1.0, 1.0) * 32767)));
  return pcm;
}

}  // namespace vertuno::sounds
