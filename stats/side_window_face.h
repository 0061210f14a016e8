#pragma once

#include "board/cell_pictures.h"

namespace vertuno {

// The face colour of the info and about windows, which their pictures are rendered onto.
inline constexpr Rgb SideWindowFace{240, 240, 240};

}  // namespace vertuno
