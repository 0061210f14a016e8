#include "qt/cabinet_faces.h"

#include <QPainter>
#include <QPolygon>
#include <QSvgRenderer>
#include <QTransform>
#include <cmath>

#include "machine/outlines.h"
#include "qt/cell_view.h"
#include "qt/layout.h"

namespace vertuno::qt {

namespace {

const QSize NormalFaceSize = toRect(machine_window::NormalFaceArtwork).size();
const QSize DemoFaceSize = toRect(machine_window::DemoFaceArtwork).size();

void renderSvg(QPainter& painter, const QString& resource, QSize size) {
  QSvgRenderer renderer(resource);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
}

QPolygon toPolygon(std::span<const Point> outline) {
  QPolygon polygon;
  for (const Point& p : outline) polygon << QPoint(p.x, p.y);
  return polygon;
}

}  // namespace

QRegion outlineRegion(std::span<const Point> outline) { return QRegion(toPolygon(outline), Qt::OddEvenFill); }

QPixmap renderFace(Face face, qreal devicePixelRatio) {
  const bool demo = face == Face::DemoFace;
  const QSize size = demo ? DemoFaceSize : NormalFaceSize;
  QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);

  QPainter painter(&image);
  const QRegion cut = outlineRegion(demo ? std::span<const Point>(DemoOutline) : std::span<const Point>(NormalOutline));
  painter.setClipRegion(QTransform::fromScale(devicePixelRatio, devicePixelRatio).map(cut));
  painter.scale(devicePixelRatio, devicePixelRatio);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRect(QPoint(0, 0), size), toColour(machine_window::CabinetBlue));
  renderSvg(painter, QStringLiteral(":/assets/cabinet.svg"), NormalFaceSize);

  // Pixel for pixel, so a lit digit lands exactly on its dark twin.
  const int scale = std::max(1, static_cast<int>(std::lround(devicePixelRatio)));
  const QImage darkCell = toImage(drawDarkCell(scale));
  for (Point cell : machine_window::CellPositions) {
    painter.drawImage(QRectF(QPointF(cell.x, cell.y), QSizeF(CellWidth, CellHeight)), darkCell);
  }

  if (demo) renderSvg(painter, QStringLiteral(":/assets/player.svg"), DemoFaceSize);
  painter.end();

  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

}  // namespace vertuno::qt
