#pragma once

#include <windows.h>

#include "machine/layout.h"

namespace vertuno::win32 {

// A monitor's scale, as Windows gives it: dots per inch, 96 being 100 %. The layout tables
// are in 96-dpi pixels; a window multiplies every box by its monitor's scale.
struct DisplayScale {
  UINT dpi = USER_DEFAULT_SCREEN_DPI;

  int px(int layoutPixels) const { return MulDiv(layoutPixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI); }
  // Both edges scaled, so boxes that touch at 100 % still touch.
  RECT rect(const Box& box) const {
    return {px(box.left), px(box.top), px(box.left + box.width), px(box.top + box.height)};
  }
  POINT point(Point p) const { return {px(p.x), px(p.y)}; }
  // Back from the screen's pixels to the layout's.
  Point layoutPoint(POINT p) const {
    return {MulDiv(p.x, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi)),
            MulDiv(p.y, USER_DEFAULT_SCREEN_DPI, static_cast<int>(dpi))};
  }
  SIZE size(int width, int height) const { return {px(width), px(height)}; }
};

// The scale of the monitor the window is on; on a Windows before 10, the system's.
DisplayScale scaleOf(HWND window);

// A window's outer size for a client area, with the caption and borders at that scale.
SIZE frameSize(SIZE client, DWORD style, DWORD exStyle, DisplayScale scale);

}  // namespace vertuno::win32
