#pragma once

#include <QWidget>

namespace vertuno::qt {

// A side window's own title bar, for a desktop that draws none (see windowsDrawTheirOwnTitleBars):
// the window's title and a close box that closes it as any close does. A press elsewhere on the
// strip hands the window to the compositor to move.
class TitleStrip : public QWidget {
 public:
  // Lies along the top of this frameless window, inside its edge.
  explicit TitleStrip(QWidget& window);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace vertuno::qt
