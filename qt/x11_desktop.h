#pragma once

class QWidget;

namespace vertuno::qt {

// Tells an X11 window manager what a side window of the machine is; elsewhere does nothing.
void describeSideWindowToX11(QWidget& window);

// Whether a window manager runs on the X11 display. Qt trusts the root window's list of what a
// manager supports, which one that has gone (crashed, or killed) leaves behind.
bool x11ManagerRuns();

// Calls off a move handed to the X11 window manager whose button is already up: a manager that
// takes the pointer only after the release never sees it, and would move the window on.
void cancelPendingX11Move(QWidget& window);

}  // namespace vertuno::qt
