#include "qt/info_window_view.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QSvgWidget>

#include "qt/cell_view.h"

namespace vertuno::qt {

namespace {

QLabel* addLabel(QWidget* parent, const QRect& geometry, const QString& name, const QString& text,
                 const QFont& font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setFont(font);
  label->setAlignment(alignment);
  return label;
}

}  // namespace

InfoWindowView::InfoWindowView(Machine& machine)
    : CentredWindow(QStringLiteral("Form2"), QStringLiteral("Информация"), QSize(310, 237)),
      machine_(machine) {
  QFont text(QStringLiteral("MS Sans Serif"));
  text.setPointSizeF(8.25);
  QFont value(QStringLiteral("Arial"));
  value.setPointSize(12);
  value.setBold(true);
  const auto right = Qt::AlignRight | Qt::AlignVCenter;

  auto* cover = new QLabel(this);  // Label1 hides the unlit cell drawn on the background
  cover->setObjectName(QStringLiteral("Label1"));
  cover->setGeometry(0, 0, 17, 25);
  cover->setAutoFillBackground(true);

  auto* picture = new QSvgWidget(QStringLiteral(":/assets/coins.svg"), this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setGeometry(8, 8, 169, 193);

  auto* frame = new QGroupBox(QStringLiteral("Счетчики"), this);
  frame->setObjectName(QStringLiteral("Frame2"));
  frame->setGeometry(184, 0, 121, 201);
  frame->setFont(text);
  // The caption sits on the frame's border line, as a group frame's does on that desktop.
  QStyle* groupStyle = QStyleFactory::create(QStringLiteral("Windows"));
  groupStyle->setParent(frame);  // a widget does not own the style it is given
  frame->setStyle(groupStyle);
  addLabel(frame, {8, 24, 97, 17}, QStringLiteral("Label6"), QStringLiteral("Закинуто монет:"), text);
  coinsInserted_ = addLabel(frame, {8, 40, 97, 17}, QStringLiteral("Label7"), QStringLiteral("0"), value, right);
  addLabel(frame, {8, 67, 97, 17}, QStringLiteral("Label8"), QStringLiteral("Выиграно монет:"), text);
  coinsWon_ = addLabel(frame, {8, 88, 97, 17}, QStringLiteral("Label9"), QStringLiteral("0"), value, right);
  addLabel(frame, {8, 115, 97, 17}, QStringLiteral("Label10"), QStringLiteral("Денег в автомате:"), text);
  machineMoney_ = addLabel(frame, {8, 132, 97, 17}, QStringLiteral("Label11"), QStringLiteral("500"), value, right);
  addLabel(frame, {8, 160, 97, 17}, QStringLiteral("Label13"), QStringLiteral("Выручка автомата:"), text);
  takings_ = addLabel(frame, {8, 176, 97, 17}, QStringLiteral("Label12"), QStringLiteral("0"), value, right);

  auto* ok = new QPushButton(QStringLiteral("ОК"), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setGeometry(224, 208, 81, 25);
  connect(ok, &QPushButton::clicked, this, [this] { machine_.Command1_Click(); });

  addLabel(this, {8, 212, 161, 17}, QStringLiteral("Label5"),
           QStringLiteral("Вертуно: нарисован нами"), text);
}

void InfoWindowView::refresh() {
  const MachineState& state = machine_.state();
  if (!state.InfoLoaded) return;
  coinsInserted_->setText(QString::fromStdString(state.Info.CoinsInserted));
  coinsWon_->setText(QString::fromStdString(state.Info.CoinsWon));
  machineMoney_->setText(QString::fromStdString(state.Info.MachineMoney));
  takings_->setText(QString::fromStdString(state.Info.Takings));
}

// The board reads its unlit-cell picture from here: it is this window's background.
void InfoWindowView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, cellPixmap(CellPicture::Unlit, devicePixelRatioF()));
}

void InfoWindowView::closeEvent(QCloseEvent* event) {
  event->accept();
  machine_.closeInfoWindow();
}

}  // namespace vertuno::qt
