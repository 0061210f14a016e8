#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vertuno::sounds {

// The machine's two sounds, synthesised from scratch: the coin dropping through the slot
// (sounds::Click) and a paid coin ringing in the tray (sounds::Coin). make_sounds writes them
// into the program's folder; the page has them from the module itself.
inline constexpr int SampleRate = 44100;

// 16-bit mono samples at SampleRate, normalised to -3 dBFS and faded out at the end; empty for
// a name that is no sound of the machine.
std::vector<std::int16_t> synthesise(std::string_view name);

}  // namespace vertuno::sounds
