#include "qt/cell_view.h"

#include <QHash>
#include <QPainter>
#include <cmath>

namespace vertuno::qt {

QImage toImage(const CellBitmap& bitmap) {
  QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      const Rgb p = bitmap.at(x, y);
      image.setPixel(x, y, qRgb(p.r, p.g, p.b));
    }
  }
  return image;
}

QPixmap cellPixmap(CellPicture picture, qreal devicePixelRatio) {
  const int scale = std::max(1, static_cast<int>(std::ceil(devicePixelRatio)));
  static QHash<int, QPixmap> cache;
  const int key = static_cast<int>(picture) * 16 + scale;
  auto found = cache.find(key);
  if (found == cache.end()) {
    QPixmap pixmap = QPixmap::fromImage(toImage(drawCellPicture(picture, scale)));
    pixmap.setDevicePixelRatio(scale);
    found = cache.insert(key, pixmap);
  }
  return *found;
}

CellView::CellView(QWidget* parent, QPoint topLeft, const QString& objectName) : QWidget(parent) {
  setObjectName(objectName);
  setGeometry(QRect(topLeft, QSize(CellWidth, CellHeight)));
  setAttribute(Qt::WA_NoSystemBackground);
}

void CellView::show(CellPicture picture) {
  if (picture == picture_) return;
  picture_ = picture;
  update();
}

void CellView::paintEvent(QPaintEvent*) {
  if (picture_ == CellPicture::None) return;  // the cabinet's dark cell shows through
  QPainter painter(this);
  painter.drawPixmap(0, 0, cellPixmap(picture_, devicePixelRatioF()));
}

}  // namespace vertuno::qt
