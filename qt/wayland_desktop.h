#pragma once

#include <QByteArray>

namespace vertuno::qt {

// Whether the game runs on a Wayland compositor that leaves each window to draw its own title bar
// (GNOME's mutter and Weston do; KWin and sway draw them). There Qt 6.4 draws a stand-in that
// offers minimise and maximise whatever the window asks, so a side window draws its own instead.
bool windowsDrawTheirOwnTitleBars();

// On Wayland, the token with which this start's user action may bring another window forward
// (xdg_activation_v1): the one its launcher handed it, or else one asked of the compositor. Empty
// elsewhere, or where the compositor gives none.
QByteArray activationTokenForAnotherWindow();

}  // namespace vertuno::qt
