#include "qt/layout.h"

namespace vertuno::qt {

QFont toFont(const FontStyle& style) {
  QFont font(toText(style.family));
  font.setPointSizeF(style.points);
  font.setBold(style.bold);
  return font;
}

Qt::Alignment toAlignment(Align align) {
  switch (align) {
    case Align::Left: return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::Centre: return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::Right: return Qt::AlignRight | Qt::AlignVCenter;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace vertuno::qt
