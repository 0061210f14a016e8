#pragma once

#include <windows.h>

#include <string_view>

#include "machine/layout.h"

namespace vertuno::win32 {

// The core's layout tables in the Win32 API's own terms.
inline COLORREF toColour(Rgb rgb) { return RGB(rgb.r, rgb.g, rgb.b); }
inline RECT toRect(const Box& box) { return {box.left, box.top, box.left + box.width, box.top + box.height}; }

// A control's number is its label's: Label5 is 5, so a reader of the window finds it.
int controlNumber(std::string_view name);

}  // namespace vertuno::win32
