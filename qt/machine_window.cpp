#include "qt/machine_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <cmath>

#include "machine/cabinet.h"
#include "machine/outlines.h"
#include "qt/cabinet_faces.h"
#include "qt/layout.h"
#include "qt/x11_desktop.h"

namespace vertuno::qt {

namespace {

// Buttons as the machine numbers them.
MouseButton machineButtons(Qt::MouseButtons buttons) {
  return static_cast<MouseButton>((buttons & Qt::LeftButton ? 1U : 0U) | (buttons & Qt::RightButton ? 2U : 0U) |
                                  (buttons & Qt::MiddleButton ? 4U : 0U));
}

// A drawn button as a screen reader finds it; one without a name is left out. The mouse passes
// through it to the cabinet.
class HotSpot : public QAbstractButton {
 public:
  HotSpot(QWidget* parent, const HotSpotLayout& spot, Machine& machine) : QAbstractButton(parent) {
    setObjectName(toText(spot.name));
    setGeometry(toRect(spot.box));
    setAccessibleName(toText(spot.accessibleName));
    setAccessibleDescription(toText(spot.description));
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this,
            [&machine, name = spot.name] { machine.input({.kind = InputKind::Activate, .hotSpot = name}); });
  }

 protected:
  void paintEvent(QPaintEvent*) override {}
};

}  // namespace

MachineWindow::MachineWindow(Machine& machine) : machine_(machine) {
  using namespace machine_window;
  setObjectName(toText(Name));
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_TranslucentBackground);
  setWindowTitle(toText(Title));
  setFixedSize(Width, Height);
  setFont(toFont(Font));

  // The children are there to be drawn and read out; the mouse is the machine's, through here.
  board_ = new QWidget(this);
  board_->setObjectName(toText(BoardName));
  board_->setGeometry(toRect(BoardBox));
  board_->setAccessibleName(QString::fromStdString(boardReading(machine_.state().Tab)));
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    cells_[i] = new CellView(this, QPoint(CellPositions[i].x, CellPositions[i].y), toText(CellNames[i]));
  }
  for (const CabinetLabel& row : Texts) {
    auto* text = new QLabel(this);
    text->setObjectName(toText(row.name));
    text->setGeometry(toRect(row.box));
    text->setFont(toFont(row.font));
    text->setAlignment(toAlignment(row.align));
    text->setAccessibleDescription(toText(row.description));
    QPalette palette = text->palette();
    palette.setColor(QPalette::WindowText, toColour(row.colour));
    text->setPalette(palette);
    texts_.emplace_back(text, &row);
  }
  for (const HotSpotLayout& spot : HotSpots) {
    if (!spot.accessibleName.empty()) new HotSpot(this, spot, machine_);
  }
  for (QWidget* child : findChildren<QWidget*>()) child->setAttribute(Qt::WA_TransparentForMouseEvents);
  refresh(Change::PlayerCoins);
  refresh(Change::WinDisplay);
}

void MachineWindow::applyOutline() {
  outline_ = outlineRegion(outlineFor(machine_.state().CabinetFace));
  setMask(outline_);
}

void MachineWindow::refresh(Change what) {
  const MachineState& state = machine_.state();
  for (const auto& [text, row] : texts_) {
    if (row->change != what) continue;
    const std::string_view shown = shownText(*row, state);
    text->setText(QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size())));
    text->setVisible(isShown(*row, state));
  }
  switch (what) {
    case Change::Cells:
      for (std::size_t i = 0; i < 3; ++i) cells_[i]->show(state.Tab[i]);
      board_->setAccessibleName(QString::fromStdString(boardReading(state.Tab)));
      break;
    case Change::Face:
      // The new face is on screen before its outline: an outline that came first would show the
      // old face cut to it until the next paint.
      repaint();
      applyOutline();
      break;
    case Change::Coin:
      update(paintedCoin_);
      update(coinRect());
      break;
    case Change::PlayerCoins:
    case Change::WinDisplay:
    case Change::InfoWindow: break;
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

void MachineWindow::forward(InputKind kind, const QMouseEvent& event) {
  // From the pointer's place on the screen: a window that has just moved may not have heard yet.
  const QPoint at = mapFromGlobal(event.globalPosition().toPoint());
  pointer_ = at;
  machine_.input({.kind = kind,
                  .button = machineButtons(event.button()),
                  .held = machineButtons(event.buttons()),
                  .at = {at.x(), at.y()}});
}

void MachineWindow::mousePressEvent(QMouseEvent* event) { forward(InputKind::Press, *event); }

void MachineWindow::mouseDoubleClickEvent(QMouseEvent* event) { forward(InputKind::DoubleClick, *event); }

void MachineWindow::mouseReleaseEvent(QMouseEvent* event) { forward(InputKind::Release, *event); }

void MachineWindow::mouseMoveEvent(QMouseEvent* event) { forward(InputKind::Move, *event); }

void MachineWindow::keyPressEvent(QKeyEvent* event) {
  const bool menuKey =
      event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
  if (!menuKey) return QWidget::keyPressEvent(event);
  machine_.input({.kind = InputKind::MenuKey});
}

// The window manager or the compositor moves the window where it offers to (and a Wayland
// compositor ignores a window moving itself, as sway does with an X11 window); with no manager
// on an X11 display the window follows the pointer by itself.
bool MachineWindow::handDragToDesktop(QPoint moved) {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    handedOver_ = handMoveToX11Manager(*this, pointer_, moved);
  } else {
    handedOver_ = windowHandle() && windowHandle()->startSystemMove();
  }
  return handedOver_;
}

// The release, or a later motion or press, reached the window: a manager that took the pointer
// only after the release never saw it, and one that has seen it ignores the call.
void MachineWindow::dragEnded() {
  if (handedOver_) cancelPendingX11Move(*this);
  handedOver_ = false;
}

}  // namespace vertuno::qt
