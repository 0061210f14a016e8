#pragma once

#include <windows.h>

#include "win32/display_scale.h"

namespace vertuno::win32 {

// A picture from the resources, base plus a scale in percent, at the scale asked for: the
// rendering at that very scale where the build made one, else the nearest larger one resized
// smoothly to the picture's size at this scale. Only that one rendering is decoded. The caller
// deletes it.
HBITMAP loadPicture(int base, SIZE layoutSize, DisplayScale scale);

}  // namespace vertuno::win32
