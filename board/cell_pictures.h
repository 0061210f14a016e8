#pragma once

#include <cstdint>
#include <vector>

#include "game/machine_state.h"
#include "machine/geometry.h"

namespace vertuno {

// The seven segments of a board cell.
enum class Segment : std::uint8_t { Top, UpperRight, LowerRight, Bottom, LowerLeft, UpperLeft, Middle };
inline constexpr int SegmentCount = 7;

inline constexpr Rgb CellBlack{0, 0, 0};
inline constexpr Rgb SegmentLit{255, 0, 0};
inline constexpr Rgb SegmentLitEnd{151, 0, 0};
inline constexpr Rgb SegmentDark{72, 0, 0};

// A 24-bit picture, row by row.
struct CellBitmap {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

inline constexpr int CellWidth = 10;
inline constexpr int CellHeight = 19;
inline constexpr int UnlitWidth = 9;
inline constexpr int UnlitHeight = 18;

// Bit s set: segment s is lit in that picture (digits and roll frames; none for the others).
unsigned litSegments(CellPicture picture);

// The cell pictures of the picture store, drawn from the segment masks at an integer scale:
// 10 x 19 pixels per unit for the digits and roll frames, 9 x 18 for the unlit cell, whose
// segments sit one pixel up and one pixel left of the others.
CellBitmap drawCellPicture(CellPicture picture, int scale = 1);

// The cabinet's own dark cell beneath each board cell: every segment dark, exactly where the
// digit pictures draw theirs.
CellBitmap drawDarkCell(int scale = 1);

// A board cell as the cabinet shows it: its picture over the dark cell, which shows alone
// where the cell has none.
CellBitmap drawBoardCell(CellPicture picture, int scale = 1);

}  // namespace vertuno
