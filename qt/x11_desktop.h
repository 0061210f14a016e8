#pragma once

#include <QPoint>

class QWidget;

namespace vertuno::qt {

// Tells an X11 window manager what a side window of the machine is; elsewhere does nothing.
void describeSideWindowToX11(QWidget& window);

// Hands a drag with the left button to the X11 window manager, the pointer at this point of the
// window and this far from where the button went down: the window catches up with the pointer at
// once and the manager moves it on from that point, so the point pressed stays under the pointer
// however late the manager takes over. (Qt's own request starts from wherever the pointer has got
// to by the time it is sent; on a busy machine the way in between was lost.) False where no
// manager runs or it moves no window for its clients.
bool handMoveToX11Manager(QWidget& window, QPoint pointer, QPoint moved);

// Calls off a move handed to the X11 window manager whose button is already up: a manager that
// takes the pointer only after the release never sees it, and would move the window on.
void cancelPendingX11Move(QWidget& window);

}  // namespace vertuno::qt
