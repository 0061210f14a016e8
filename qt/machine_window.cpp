#include "qt/machine_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>
#include <QWindow>
#include <cmath>

#include "qt/cabinet_faces.h"
#include "qt/layout.h"
#include "qt/x11_desktop.h"
#include "machine/outlines.h"

namespace vertuno::qt {

namespace {

// The held buttons as the machine numbers them.
MouseButton machineButtons(Qt::MouseButtons buttons) {
  return static_cast<MouseButton>((buttons & Qt::LeftButton ? 1U : 0U) |
                                  (buttons & Qt::RightButton ? 2U : 0U) |
                                  (buttons & Qt::MiddleButton ? 4U : 0U));
}

// What a screen reader says of the board: each cell's digit, "?" while it turns, "-" when dark.
QString boardReading(const std::array<CellPicture, 3>& cells) {
  QStringList shown;
  for (CellPicture picture : cells) {
    const int index = static_cast<int>(picture);
    if (index <= 9) {
      shown << QString::number(index);
    } else if (picture == CellPicture::Unlit || picture == CellPicture::None) {
      shown << QStringLiteral("-");
    } else {
      shown << QStringLiteral("?");
    }
  }
  return toText(machine_window::BoardReading) + shown.join(QLatin1Char(' '));
}

}  // namespace

MachineWindow::MachineWindow(Machine& machine) : machine_(machine) {
  using namespace machine_window;
  setObjectName(toText(Name));
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_TranslucentBackground);
  setWindowTitle(toText(Title));
  setFixedSize(Width, Height);
  setFont(toFont(Font));

  // Behind the cells, the board as one thing a screen reader can read out.
  board_ = new KeepsMouseEvents<QWidget>(this);
  board_->setObjectName(toText(BoardName));
  const QPoint first(CellPositions.front().x, CellPositions.front().y);
  const QPoint last(CellPositions.back().x, CellPositions.back().y);
  board_->setGeometry(QRect(first, last + QPoint(CellWidth - 1, CellHeight - 1)));
  board_->setAccessibleName(boardReading(machine_.state().Tab));
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    cells_[i] = new CellView(this, QPoint(CellPositions[i].x, CellPositions[i].y), toText(CellNames[i]));
  }
  purse_ = new CabinetText(this, Purse);
  winBanner_ = new CabinetText(this, WinBanner);
  winBanner_->hide();
  prizeAmount_ = new CabinetText(this, PrizeAmount);
  coinWord_ = new CabinetText(this, CoinWord);

  installHotSpotAccessibility();
  for (const HotSpotLayout& spot : HotSpots) new HotSpot(this, spot, machine_);
}

void MachineWindow::applyOutline() {
  outline_ = outlineRegion(outlineFor(machine_.state().CabinetFace));
  setMask(outline_);
}

void MachineWindow::refresh(Change what) {
  const MachineState& state = machine_.state();
  switch (what) {
    case Change::PlayerCoins:
      purse_->setText(QString::fromStdString(state.PlayerCoins));
      purse_->setVisible(state.PlayerCoinsVisible);
      break;
    case Change::WinDisplay:
      winBanner_->setVisible(state.WinBannerVisible);
      prizeAmount_->setText(QString::fromStdString(state.PrizeAmountText));
      coinWord_->setText(QString::fromStdString(state.CoinWordText));
      break;
    case Change::Cells:
      for (std::size_t i = 0; i < 3; ++i) cells_[i]->show(state.Tab[i]);
      board_->setAccessibleName(boardReading(state.Tab));
      break;
    case Change::Face:
      applyOutline();
      update();
      break;
    case Change::Coin:
      update(paintedCoin_);
      update(coinRect());
      break;
    case Change::InfoWindow:
      break;
  }
}

// The coin's box, with its half pixel rounded outwards so the whole antialiased coin repaints.
QRect MachineWindow::coinRect() const {
  const MachineState& state = machine_.state();
  const QRectF box(state.CoinLeft, state.CoinTop, machine_window::CoinWidth, machine_window::CoinHeight);
  return box.toAlignedRect().adjusted(-1, -1, 1, 1) & rect();
}

const QPixmap& MachineWindow::facePixmap() {
  const auto index = static_cast<std::size_t>(machine_.state().CabinetFace);
  const qreal ratio = devicePixelRatioF();
  if (faceRatio_[index] != ratio) {
    face_[index] = renderFace(machine_.state().CabinetFace, ratio);
    faceRatio_[index] = ratio;
  }
  return face_[index];
}

void MachineWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.drawPixmap(0, 0, facePixmap());

  // The coin keeps its half-pixel position and is drawn antialiased; at 2x it is exact.
  const MachineState& state = machine_.state();
  paintedCoin_ = coinRect();
  if (paintedCoin_.isEmpty()) return;
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF coin(state.CoinLeft, state.CoinTop, machine_window::CoinWidth, machine_window::CoinHeight);
  QRadialGradient shine(coin.center() - QPointF(1.5, 1.2), 5);
  shine.setColorAt(0, Qt::white);
  shine.setColorAt(0.45, toColour(machine_window::CoinFill));
  shine.setColorAt(1, toColour(machine_window::CoinFill).darker(115));
  painter.setPen(QPen(toColour(machine_window::CoinBorder), 1));
  painter.setBrush(shine);
  painter.drawEllipse(coin.adjusted(0.5, 0.5, -0.5, -0.5));
}

void MachineWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!outline_.isEmpty()) setMask(outline_);
}

void MachineWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  machine_.Form_Unload();
}

void MachineWindow::mousePressEvent(QMouseEvent* event) {
  pointer_ = event->globalPosition().toPoint();
  if (event->button() == Qt::LeftButton) {
    pressOffset_ = pointer_ - pos();
    drag_ = Drag::None;  // whatever became of the last drag's release
  }
  machine_.Form_MouseDown(machineButtons(event->button()));
}

void MachineWindow::mouseMoveEvent(QMouseEvent* event) {
  pointer_ = event->globalPosition().toPoint();
  if (drag_ == Drag::ByHand && !(event->buttons() & Qt::LeftButton)) drag_ = Drag::None;
  if (machine_.Form_MouseMove(machineButtons(event->buttons()))) dragWithPointer();
}

void MachineWindow::mouseReleaseEvent(QMouseEvent* event) {
  // A left release that still reaches the window came before the manager took the move over
  // (Qt calls such a move off itself only when the release comes in after it handed it over).
  if (drag_ == Drag::HandedOver && event->button() == Qt::LeftButton) cancelPendingX11Move(*this);
  if (drag_ == Drag::ByHand) drag_ = Drag::None;
}

// The window manager or the compositor moves the window where it offers to (and a Wayland
// compositor ignores a window moving itself, as sway does with an X11 window); the window
// follows the pointer by itself only where nobody does. A press hands its drag over once: when
// the manager lets go, the pointer comes back still pressed as far as the window can tell, and a
// second request would leave the manager moving the window after the button is up.
void MachineWindow::dragWithPointer() {
  if (drag_ == Drag::HandedOver) return;
  if (drag_ == Drag::None) {
    const bool onX11 = QGuiApplication::platformName() == QLatin1String("xcb");
    if ((!onX11 || x11ManagerRuns()) && windowHandle() && windowHandle()->startSystemMove()) {
      drag_ = Drag::HandedOver;
      return;
    }
    drag_ = Drag::ByHand;
  }
  move(pointer_ - pressOffset_);
}

}  // namespace vertuno::qt
