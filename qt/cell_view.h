#pragma once

#include <QPixmap>
#include <QWidget>

#include "board/cell_pictures.h"

namespace vertuno::qt {

QImage toImage(const CellBitmap& bitmap);

// A cell picture drawn pixel for pixel at the screen's resolution, never blurred.
QPixmap cellPixmap(CellPicture picture, qreal devicePixelRatio);

// One cell of the board, Tab1 to Tab3.
class CellView : public QWidget {
 public:
  CellView(QWidget* parent, QPoint topLeft, const QString& objectName);
  void show(CellPicture picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CellPicture picture_ = CellPicture::None;
};

}  // namespace vertuno::qt
