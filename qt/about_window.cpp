#include "qt/about_window.h"

namespace vertuno::qt {

AboutWindow::AboutWindow() : CentredWindow(about_window::Layout) {}

}  // namespace vertuno::qt
