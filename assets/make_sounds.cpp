// Writes the machine's two sounds, synthesised from scratch: click.wav, the coin dropping
// through the slot, and sound.wav, a paid coin ringing in the tray. 16-bit PCM, 44.1 kHz, mono.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "machine/sounds.h"

namespace {

constexpr int SampleRate = 44100;

struct Partial {
  double frequency;
  double amplitude;
  double decayPerSecond;
};

// A small deterministic noise source, so the files come out the same on every build.
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

void put16(std::ofstream& out, std::uint16_t v) {
  out.put(static_cast<char>(v & 0xff));
  out.put(static_cast<char>(v >> 8));
}

void put32(std::ofstream& out, std::uint32_t v) {
  put16(out, static_cast<std::uint16_t>(v & 0xffff));
  put16(out, static_cast<std::uint16_t>(v >> 16));
}

bool writeWave(const std::string& path, std::vector<double> samples) {
  // Normalised to -3 dBFS with a short fade at the end, so the last sample is silence.
  double peak = 0;
  for (double s : samples) peak = std::max(peak, std::fabs(s));
  const double gain = peak > 0 ? 0.707 / peak : 0;
  const std::size_t fade = std::min<std::size_t>(samples.size(), SampleRate / 100);
  for (std::size_t i = 0; i < fade; ++i) samples[samples.size() - 1 - i] *= static_cast<double>(i) / fade;

  std::ofstream out(path, std::ios::binary);
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  put32(out, 36 + dataBytes);
  out.write("WAVEfmt ", 8);
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, SampleRate);
  put32(out, SampleRate * 2);
  put16(out, 2);
  put16(out, 16);
  out.write("data", 4);
  put32(out, dataBytes);
  for (double s : samples) {
    const auto value = static_cast<std::int16_t>(std::lround(std::clamp(s * gain, -1.0, 1.0) * 32767));
    put16(out, static_cast<std::uint16_t>(value));
  }
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sounds FOLDER\n";
    return 2;
  }
  const std::string folder = argv[1];
  const bool ok = writeWave(folder + "/" + vertuno::sounds::Click, slotClick()) &&
                  writeWave(folder + "/" + vertuno::sounds::Coin, coinClink());
  return ok ? 0 : 1;
}
