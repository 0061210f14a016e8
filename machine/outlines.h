#pragma once

#include <array>
#include <span>

#include "game/machine_state.h"
#include "machine/geometry.h"

namespace vertuno {

// The window outlines, in window pixels; the last vertex repeats the first. The repeated
// vertices of the demo outline are part of the drawn shape and are kept.
extern const std::array<Point, 16> NormalOutline;
extern const std::array<Point, 58> DemoOutline;

// The outline that goes with a face.
std::span<const Point> outlineFor(Face face);

}  // namespace vertuno
