// Renders the artwork of the Windows front end to the bitmaps its resources hold, from the same
// SVGs and face renderer the Qt game paints with: render_artwork FOLDER
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "qt/cabinet_faces.h"
#include "stats/side_window_layout.h"

namespace {

bool saveBitmap(const QImage& image, const QDir& folder, const QString& name) {
  return image.convertToFormat(QImage::Format_RGB888).save(folder.filePath(name), "BMP");
}

// A picture of a side window, on that window's own face colour.
bool savePicture(const QString& svg, QSize size, const QDir& folder, const QString& name) {
  QImage image(size, QImage::Format_RGB32);
  const vertuno::Rgb face = vertuno::SideWindowFace;
  image.fill(QColor(face.r, face.g, face.b));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) return false;
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  painter.end();
  return saveBitmap(image, folder, name);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) return 2;
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  const auto face = [&](vertuno::Face which, const QString& name) {
    return saveBitmap(vertuno::qt::renderFace(which, 1).toImage(), folder, name);
  };
  QImage icon(32, 32, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  QSvgRenderer(QStringLiteral(":/assets/icon.svg")).render(&painter);
  painter.end();
  const bool saved = face(vertuno::Face::NormalFace, QStringLiteral("cabinet.bmp")) &&
                     face(vertuno::Face::DemoFace, QStringLiteral("demo.bmp")) &&
                     savePicture(QStringLiteral(":/assets/coins.svg"), {169, 193}, folder, QStringLiteral("coins.bmp")) &&
                     savePicture(QStringLiteral(":/assets/emblem.svg"), {83, 89}, folder, QStringLiteral("emblem.bmp")) &&
                     icon.save(folder.filePath(QStringLiteral("icon.ico")), "ICO");
  return saved ? 0 : 1;
}
