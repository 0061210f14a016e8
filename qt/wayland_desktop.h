#pragma once

namespace vertuno::qt {

// Whether the game runs on a Wayland compositor that leaves each window to draw its own title bar
// (GNOME's mutter and Weston do; KWin and sway draw them). There Qt 6.4 draws a stand-in that
// offers minimise and maximise whatever the window asks, so a side window draws its own instead.
bool windowsDrawTheirOwnTitleBars();

}  // namespace vertuno::qt
