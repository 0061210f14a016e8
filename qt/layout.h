#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string_view>

#include "machine/layout.h"

namespace vertuno::qt {

// The core's layout tables in Qt's own types.
inline QRect toRect(const Box& box) { return {box.left, box.top, box.width, box.height}; }
inline QColor toColour(Rgb rgb) { return {rgb.r, rgb.g, rgb.b}; }
inline QString toText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
QFont toFont(const FontStyle& style);
Qt::Alignment toAlignment(Align align);

}  // namespace vertuno::qt
