#include "qt/info_window_view.h"

#include <QPainter>

#include "qt/cell_view.h"

namespace vertuno::qt {

InfoWindowView::InfoWindowView(Machine& machine) : CentredWindow(info_window::Layout, machine), machine_(machine) {
  showCounters(InfoFields{});  // the design captions, until the counters are loaded
}

void InfoWindowView::refresh() {
  const MachineState& state = machine_.state();
  if (state.InfoLoaded) showCounters(state.Info);
}

// The board reads its unlit-cell picture from here: it is this window's background.
void InfoWindowView::paintEvent(QPaintEvent* event) {
  CentredWindow::paintEvent(event);
  QPainter painter(this);
  painter.drawPixmap(contentOrigin(), cellPixmap(CellPicture::Unlit, devicePixelRatioF()));
}

}  // namespace vertuno::qt
