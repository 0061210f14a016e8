#pragma once

#include <QLabel>
#include <QPixmap>
#include <QRegion>
#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "machine/layout.h"
#include "machine/machine.h"
#include "qt/cell_view.h"

namespace vertuno::qt {

// Form1: the borderless cabinet cut to its outline. It shows the machine's state and hands
// every event to the machine, raw; it decides nothing itself.
class MachineWindow : public QWidget {
 public:
  explicit MachineWindow(Machine& machine);

  void refresh(Change what);
  // Where the desktop moves windows, it takes the drag over, the pointer having come this far
  // from where the button went down: the window manager on X11, the compositor on Wayland. False
  // where the window must follow the pointer itself.
  bool handDragToDesktop(QPoint moved);
  // The press whose drag was handed over has ended.
  void dragEnded();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void forward(InputKind kind, const QMouseEvent& event);
  QRect coinRect() const;
  // The cut follows the face: here, and nowhere else.
  void applyOutline();
  const QPixmap& facePixmap();

  Machine& machine_;
  QRegion outline_;
  QWidget* board_ = nullptr;
  std::array<CellView*, 3> cells_{};
  std::vector<std::pair<QLabel*, const CabinetLabel*>> texts_;
  QPixmap face_[2];
  qreal faceRatio_[2] = {0, 0};
  QRect paintedCoin_;
  QPoint pointer_;           // where the pointer was at the event the machine hears
  bool handedOver_ = false;  // the last drag went to the desktop
};

}  // namespace vertuno::qt
