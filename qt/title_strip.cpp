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

TitleStrip::TitleStrip(QWidget& window) : QWidget(&window) {
  setObjectName(QStringLiteral("TitleStrip"));
  const int edge = Style.edgeWidth;
  // The line under the strip is the window's edge colour showing between strip and content.
  setGeometry(edge, edge, window.width() - 2 * edge, Style.height - 2 * edge);
  setFont(toFont(Style.font));
  auto* close = new CloseBox(this);
  close->setGeometry(width() - (Style.closeRightInset - edge) - Style.closeSide, (height() - Style.closeSide) / 2,
                     Style.closeSide, Style.closeSide);
  connect(close, &QAbstractButton::clicked, &window, &QWidget::close);
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
  painter.drawText(room, Qt::AlignCenter, fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, room.width()));
}

void TitleStrip::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && window()->windowHandle()) window()->windowHandle()->startSystemMove();
}

}  // namespace vertuno::qt
