#pragma once

#include <array>
#include <span>
#include <string>

#include "board/cell_pictures.h"
#include "machine/layout.h"

namespace vertuno {

namespace machine_window {
inline constexpr Box BoardBox{CellPositions.front().x, CellPositions.front().y,
                              CellPositions.back().x + CellWidth - CellPositions.front().x, CellHeight};
// The menu the keyboard opens drops from under the board, as from a focused control.
inline constexpr Point MenuKeyPoint{BoardBox.left, BoardBox.top + BoardBox.height};
}  // namespace machine_window

// Inside the outline by the alternate rule, judged at the pixel's centre as a region is cut.
bool insideOutline(Point at, std::span<const Point> outline);

// Only a text that shows keeps the presses over it.
Area areaAt(Point at, const MachineState& state);

const HotSpotLayout* hotSpotNamed(std::string_view name);

// What a screen reader says of the board: each cell's digit, "?" while it turns, "-" when dark.
std::string boardReading(const std::array<CellPicture, 3>& cells);

}  // namespace vertuno
