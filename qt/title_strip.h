#pragma once

#include <QWidget>

class QAbstractButton;

namespace vertuno::qt {

// A window's own title bar, for a desktop that draws none (see windowsDrawTheirOwnTitleBars):
// the window's title and a close box that closes it as any close does. A press elsewhere on the
// strip hands the window to the compositor to move. It rings the window with a thin edge.
class TitleStrip : public QWidget {
 public:
  // Lies along the top of this frameless window, inside its edge, and follows its width.
  explicit TitleStrip(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void fitToWindow();
  void paintEdge();

  QAbstractButton* close_;
};

// A window whose layout Qt makes (a message box) under the strip: frameless, its layout kept
// clear of the strip and the edge.
void putUnderOwnTitleStrip(QWidget& window);

}  // namespace vertuno::qt
