#pragma once

#include <array>

namespace vertuno::sounds {

// The machine's sounds, files in the program's folder. A front end may ready them at start, so
// that the first sound of a run does not wait for the sound system.
inline constexpr const char* Click = "click.wav";
inline constexpr const char* Coin = "sound.wav";
inline constexpr std::array<const char*, 2> All{Click, Coin};

}  // namespace vertuno::sounds
