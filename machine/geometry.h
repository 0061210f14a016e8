#pragma once

#include <cstdint>

namespace vertuno {

// Where things lie on the machine's windows and what colour they are, in pixels of a 96-dpi
// screen; a front end scales them as a whole.
struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(Point, Point) = default;
};

struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool contains(Point p) const { return p.x >= left && p.x < left + width && p.y >= top && p.y < top + height; }
};

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Rgb, Rgb) = default;
};

}  // namespace vertuno
