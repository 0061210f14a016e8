#pragma once

#include "stats/side_window_layout.h"

namespace vertuno::qt {

// The title bar a side window draws itself where nobody else draws one: on a Wayland compositor
// that leaves decorations to the window (GNOME's, Weston), whose stand-in from the toolkit would
// offer minimise and maximise. A light strip with the title centred and a round close box at the
// right, over the window's content, which keeps its size; a thin edge rings the window.
struct TitleStripStyle {
  int height;  // from the window's top to the content's first row, edge and bottom line included
  int edgeWidth;
  FontStyle font;
  Rgb faceTop;  // the strip is shaded from top to bottom
  Rgb faceBottom;
  Rgb edge;  // the window's edge, and the line between the strip and the content
  Rgb title;
  int closeSide;        // the round close box: its diameter,
  int closeRightInset;  // its gap to the window's right edge (centred in the strip's height),
  int closeMarkSide;    // and the cross drawn in it
  Rgb closeFace;
  Rgb closeHover;
  Rgb closePressed;
  Rgb closeMark;
  std::string_view closeName;  // what a screen reader says the close box is
};

inline constexpr TitleStripStyle OwnTitleStrip{
    .height = 31,
    .edgeWidth = 1,
    .font = {ArialFamily, 9, true},
    .faceTop = {246, 245, 244},
    .faceBottom = {228, 226, 223},
    .edge = {190, 184, 178},
    .title = {46, 52, 54},
    .closeSide = 22,
    .closeRightInset = 5,
    .closeMarkSide = 8,
    .closeFace = {222, 219, 216},
    .closeHover = {206, 202, 198},
    .closePressed = {188, 183, 178},
    .closeMark = {46, 52, 54},
    .closeName = CloseBoxName,
};

}  // namespace vertuno::qt
