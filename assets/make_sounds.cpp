// Writes the machine's two sounds into a folder as WAV files: 16-bit PCM, 44.1 kHz, mono.
#include <fstream>
#include <iostream>
#include <string>

#include "assets/machine_sounds.h"
#include "machine/sounds.h"

namespace {

void put16(std::ofstream& out, std::uint16_t v) {
  out.put(static_cast<char>(v & 0xff));
  out.put(static_cast<char>(v >> 8));
}

void put32(std::ofstream& out, std::uint32_t v) {
  put16(out, static_cast<std::uint16_t>(v & 0xffff));
  put16(out, static_cast<std::uint16_t>(v >> 16));
}

bool writeWave(const std::string& path, const std::vector<std::int16_t>& samples) {
  using vertuno::sounds::SampleRate;
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
  for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sounds FOLDER\n";
    return 2;
  }
  const std::string folder = argv[1];
  for (const char* name : vertuno::sounds::All) {
    if (!writeWave(folder + "/" + name, vertuno::sounds::synthesise(name))) return 1;
  }
  return 0;
}
