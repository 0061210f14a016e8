#include "qt/machine_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStringList>
#include <QWindow>
#include <cmath>

#include "qt/cabinet_faces.h"
#include "machine/outlines.h"

namespace vertuno::qt {

namespace {

constexpr QColor Yellow{255, 255, 0};
constexpr QColor Red{255, 0, 0};
constexpr QColor CoinFill{0xC0, 0xC0, 0xC0};
constexpr QColor CoinBorder{0x80, 0x80, 0x80};

QFont arial(qreal points, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

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
  return QStringLiteral("Табло: ") + shown.join(QLatin1Char(' '));
}

}  // namespace

MachineWindow::MachineWindow(Machine& machine) : machine_(machine) {
  setObjectName(QStringLiteral("Form1"));
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_TranslucentBackground);
  setWindowTitle(QStringLiteral("777 - Игра Вертуно"));
  setFixedSize(128, 378);
  setFont(arial(9));

  // Behind the cells, the board as one thing a screen reader can read out.
  board_ = new KeepsMouseEvents<QWidget>(this);
  board_->setObjectName(QStringLiteral("Board"));
  board_->setGeometry(QRect(CellPositions[0], CellPositions[2] + QPoint(CellWidth - 1, CellHeight - 1)));
  board_->setAccessibleName(boardReading(machine_.state().Tab));
  for (int i = 0; i < 3; ++i) {
    cells_[static_cast<std::size_t>(i)] =
        new CellView(this, CellPositions[i], QStringLiteral("Tab%1").arg(i + 1));
  }
  const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
  purse_ = new CabinetText(this, {56, 304, 57, 17}, QStringLiteral("Label2"), arial(8.25), Yellow,
                           Qt::AlignLeft | Qt::AlignVCenter);
  purse_->setText(QStringLiteral("50"));
  winBanner_ = new CabinetText(this, {48, 250, 73, 17}, QStringLiteral("Label4"),
                               arial(9.75, true), Yellow, centred);
  winBanner_->setText(QStringLiteral("Выигрыш"));
  winBanner_->hide();
  prizeAmount_ = new CabinetText(this, {48, 266, 73, 17}, QStringLiteral("Label5"),
                                 arial(11.25, true), Red, centred);
  coinWord_ = new CabinetText(this, {48, 280, 73, 17}, QStringLiteral("Label6"), arial(9, true),
                              Yellow, centred);

  installHotSpotAccessibility();
  purse_->setAccessibleDescription(QStringLiteral("Монеты игрока"));
  winBanner_->setAccessibleDescription(QStringLiteral("Выигрыш"));
  prizeAmount_->setAccessibleDescription(QStringLiteral("Сумма выигрыша"));
  coinWord_->setAccessibleDescription(QStringLiteral("Монеты выигрыша"));

  auto* play = new HotSpot(this, {96, 128, 22, 25}, QStringLiteral("Label1"));
  play->setAccessibleName(QStringLiteral("Щель для монет"));
  play->setAccessibleDescription(QStringLiteral("Опустить монету и сыграть"));
  play->onClick = [this] { machine_.Label1_Click(); };
  auto* rules = new HotSpot(this, {48, 128, 49, 57}, QStringLiteral("Label3"));
  rules->onClick = [this] { machine_.Label3_Click(); };
  rules->setAccessibleName(QStringLiteral("Таблица выигрышей"));
  rules->setAccessibleDescription(QStringLiteral("Показать статистику автомата"));
  auto* force = new HotSpot(this, {40, 24, 9, 9}, QStringLiteral("Label7"));
  force->onDoubleClick = [this] { machine_.Label7_DblClick(); };
  auto* fast = new HotSpot(this, {80, 216, 33, 25}, QStringLiteral("Label8"));
  fast->onPress = [this] { machine_.Label8_MouseDown(); };
  fast->onRelease = [this] { machine_.Label8_MouseUp(); };
  fast->setAccessibleName(QStringLiteral("Лоток выигрыша"));
  fast->setAccessibleDescription(QStringLiteral("Удерживайте, чтобы игра шла без пауз"));
  auto* demo = new HotSpot(this, {120, 336, 9, 9}, QStringLiteral("Label11"));
  demo->onDoubleClick = [this] { machine_.Label11_DblClick(); };
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
  const QRectF box(state.CoinLeft, state.CoinTop, 9, 7);
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
  const QRectF coin(state.CoinLeft, state.CoinTop, 9, 7);
  QRadialGradient shine(coin.center() - QPointF(1.5, 1.2), 5);
  shine.setColorAt(0, Qt::white);
  shine.setColorAt(0.45, CoinFill);
  shine.setColorAt(1, CoinFill.darker(115));
  painter.setPen(QPen(CoinBorder, 1));
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
    draggingByHand_ = false;  // whatever became of the last drag's release
  }
  machine_.Form_MouseDown(machineButtons(event->button()));
}

void MachineWindow::mouseMoveEvent(QMouseEvent* event) {
  pointer_ = event->globalPosition().toPoint();
  if (draggingByHand_ && !(event->buttons() & Qt::LeftButton)) draggingByHand_ = false;
  if (machine_.Form_MouseMove(machineButtons(event->buttons()))) dragWithPointer();
}

void MachineWindow::mouseReleaseEvent(QMouseEvent*) { draggingByHand_ = false; }

// On X11 the window follows the pointer by itself: Qt's system move there can leave a window
// manager moving the window after the button is let go. Wayland lets only the compositor move
// a window, so there the move is the compositor's.
void MachineWindow::dragWithPointer() {
  if (!draggingByHand_) {
    if (QGuiApplication::platformName() == QLatin1String("wayland") && windowHandle() &&
        windowHandle()->startSystemMove()) {
      return;
    }
    draggingByHand_ = true;
  }
  move(pointer_ - pressOffset_);
}

}  // namespace vertuno::qt
