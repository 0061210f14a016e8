#include "qt/title_strip.h"

#include <QAbstractButton>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "qt/layout.h"
#include "qt/title_strip_style.h"

namespace vertuno::qt {

namespace {

constexpr const TitleStripStyle& Style = OwnTitleStrip;

class CloseBox : public QAbstractButton {
 public:
  explicit CloseBox(QWidget* parent) : QAbstractButton(parent) {
    setObjectName(QStringLiteral("TitleClose"));
    setAccessibleName(toText(Style.closeName));
    setFocusPolicy(Qt::NoFocus);  // the keyboard stays on the window's own controls
    setAttribute(Qt::WA_Hover);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Rgb face = isDown() ? Style.closePressed : underMouse() ? Style.closeHover : Style.closeFace;
    painter.setPen(Qt::NoPen);
    painter.setBrush(toColour(face));
    painter.drawEllipse(QRectF(rect()));
    QPen mark(toColour(Style.closeMark), 1.5);
    mark.setCapStyle(Qt::RoundCap);
    painter.setPen(mark);
    const QPointF centre = QRectF(rect()).center();
    const qreal half = Style.closeMarkSide / 2.0;
    painter.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
    painter.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
  }
};

}  // namespace

TitleStrip::TitleStrip(QWidget& window) : QWidget(&window), close_(new CloseBox(this)) {
  setObjectName(QStringLiteral("TitleStrip"));
  setFont(toFont(Style.font));
  connect(close_, &QAbstractButton::clicked, &window, &QWidget::close);
  window.installEventFilter(this);
  fitToWindow();
}

void TitleStrip::fitToWindow() {
  const int edge = Style.edgeWidth;
  setGeometry(edge, edge, parentWidget()->width() - 2 * edge, Style.height - 2 * edge);
  close_->setGeometry(width() - (Style.closeRightInset - edge) - Style.closeSide, (height() - Style.closeSide) / 2,
                      Style.closeSide, Style.closeSide);
}

bool TitleStrip::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Resize) fitToWindow();
  if (event->type() == QEvent::Paint) paintEdge();  // under whatever the window paints itself
  return false;
}

// The edge around the window, and the line under the strip, in the window's edge colour.
void TitleStrip::paintEdge() {
  QWidget& window = *parentWidget();
  const int edge = Style.edgeWidth;
  QPainter painter(&window);
  painter.setClipRegion(QRegion(window.rect())
                            .subtracted(geometry())
                            .subtracted(window.rect().adjusted(edge, Style.height, -edge, -edge)));
  painter.fillRect(window.rect(), toColour(Style.edge));
}

void TitleStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient shade(0, 0, 0, height());
  shade.setColorAt(0, toColour(Style.faceTop));
  shade.setColorAt(1, toColour(Style.faceBottom));
  painter.fillRect(rect(), shade);
  // Centred on the window, clear of the close box on either side.
  const int aside = Style.closeRightInset + Style.closeSide;
  const QRect room = rect().adjusted(aside, 0, -aside, 0);
  painter.setPen(toColour(Style.title));
  painter.drawText(room, Qt::AlignCenter,
                   fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, room.width()));
}

void TitleStrip::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && window()->windowHandle()) window()->windowHandle()->startSystemMove();
}

void putUnderOwnTitleStrip(QWidget& window) {
  window.setWindowFlags(window.windowFlags() | Qt::FramelessWindowHint);
  const int edge = Style.edgeWidth;
  window.setContentsMargins(edge, Style.height, edge, edge);
  new TitleStrip(window);
}

}  // namespace vertuno::qt
