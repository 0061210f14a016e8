#pragma once

#include <QPixmap>
#include <QRegion>
#include <span>

#include "game/machine_state.h"
#include "machine/geometry.h"

namespace vertuno::qt {

// The window's cut: the outline filled by the odd-even rule, in window pixels.
QRegion outlineRegion(std::span<const Point> outline);

// A cabinet face at the screen's resolution: the artwork cut to the face's outline exactly as
// the window's cut falls on device pixels, so no seam opens along the edge, with the board's
// three dark cells drawn from the cell generator.
QPixmap renderFace(Face face, qreal devicePixelRatio);

}  // namespace vertuno::qt
