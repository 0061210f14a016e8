#include <gtest/gtest.h>

#include <QImage>

#include "machine/layout.h"
#include "machine/outlines.h"
#include "qt/cabinet_faces.h"
#include "qt/cell_view.h"

namespace vertuno::qt {
namespace {

// Every pixel the window's cut keeps is opaque artwork; every other pixel is empty.
void expectFaceFillsItsOutline(Face face, std::span<const Point> outline, qreal ratio) {
  const QImage image = renderFace(face, ratio).toImage();
  const QRegion cut = outlineRegion(outline);
  int inside = 0;
  for (int y = 0; y < 378 * ratio; ++y) {
    for (int x = 0; x < 128 * ratio; ++x) {
      const bool kept = cut.contains(QPoint(static_cast<int>(x / ratio), static_cast<int>(y / ratio)));
      const int alpha = qAlpha(image.pixel(x, y));
      if (kept) {
        ++inside;
        ASSERT_EQ(alpha, 255) << "see-through at " << x << "," << y << " ratio " << ratio;
      } else {
        ASSERT_EQ(alpha, 0) << "drawn outside at " << x << "," << y << " ratio " << ratio;
      }
    }
  }
  EXPECT_GT(inside, 30000 * ratio * ratio);
}

TEST(Artwork, EachFaceFillsItsOutlineExactlyAtEveryResolution) {
  for (qreal ratio : {1.0, 2.0}) {
    expectFaceFillsItsOutline(Face::NormalFace, NormalOutline, ratio);
    expectFaceFillsItsOutline(Face::DemoFace, DemoOutline, ratio);
  }
}

TEST(Artwork, TheCabinetsDarkCellsAreTheGeneratorsPixelForPixel) {
  for (int ratio : {1, 2}) {
    const QImage dark = toImage(drawDarkCell(ratio));
    for (Face face : {Face::NormalFace, Face::DemoFace}) {
      const QImage image = renderFace(face, ratio).toImage().convertToFormat(QImage::Format_RGB32);
      for (Point cell : machine_window::CellPositions) {
        EXPECT_EQ(image.copy(QRect(QPoint(cell.x, cell.y) * ratio, QSize(10, 19) * ratio)), dark)
            << "cell at " << cell.x << " ratio " << ratio;
      }
    }
  }
}

TEST(Artwork, TheUnlitPictureIsTheDarkCellOnePixelUpAndLeft) {
  const QImage unlit = toImage(drawCellPicture(CellPicture::Unlit));
  const QImage dark = toImage(drawDarkCell());
  EXPECT_EQ(unlit, dark.copy(1, 1, 9, 18));
}

TEST(Artwork, CellPicturesAreCrispAtTwiceTheResolution) {
  const QPixmap twice = cellPixmap(CellPicture::Image8, 2);
  EXPECT_EQ(twice.size(), QSize(20, 38));
  EXPECT_EQ(twice.devicePixelRatio(), 2);
  const QImage image = twice.toImage();
  const QImage once = toImage(drawCellPicture(CellPicture::Image8));
  for (int y = 0; y < 38; ++y) {
    for (int x = 0; x < 20; ++x) ASSERT_EQ(image.pixel(x, y), once.pixel(x / 2, y / 2));
  }
}

}  // namespace
}  // namespace vertuno::qt
