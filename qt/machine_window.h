#pragma once

#include <QPixmap>
#include <QRegion>
#include <QWidget>
#include <array>

#include "qt/cabinet_text.h"
#include "qt/cell_view.h"
#include "qt/hot_spot.h"
#include "machine/machine.h"

namespace vertuno::qt {

// Form1: the borderless cabinet cut to its outline. It shows the machine's state and hands
// every event to the machine; it decides nothing itself.
class MachineWindow : public QWidget {
 public:
  explicit MachineWindow(Machine& machine);

  void refresh(Change what);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QRect coinRect() const;
  // The cut follows the face: here, and nowhere else.
  void applyOutline();
  // Follows the pointer: the window manager moves it where it can, else the window itself.
  void dragWithPointer();
  const QPixmap& facePixmap();

  Machine& machine_;
  QRegion outline_;
  QWidget* board_ = nullptr;
  std::array<CellView*, 3> cells_{};
  CabinetText* purse_ = nullptr;
  CabinetText* winBanner_ = nullptr;
  CabinetText* prizeAmount_ = nullptr;
  CabinetText* coinWord_ = nullptr;
  QPixmap face_[2];
  qreal faceRatio_[2] = {0, 0};
  QRect paintedCoin_;
  QPoint pointer_;
  QPoint pressOffset_;
  // Who moves the window during the press: nobody yet, the desktop, or the window itself.
  enum class Drag { None, HandedOver, ByHand };
  Drag drag_ = Drag::None;
};

}  // namespace vertuno::qt
