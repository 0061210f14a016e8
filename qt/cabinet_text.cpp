#include "qt/cabinet_text.h"

#include "qt/layout.h"

namespace vertuno::qt {

CabinetText::CabinetText(QWidget* parent, const CabinetLabel& label) : KeepsMouseEvents<QLabel>(parent) {
  setObjectName(toText(label.name));
  setGeometry(toRect(label.box));
  setFont(toFont(label.font));
  setAlignment(toAlignment(label.align));
  setText(toText(label.designCaption));
  setAccessibleDescription(toText(label.description));
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, toColour(label.colour));
  setPalette(palette);
  setAttribute(Qt::WA_TranslucentBackground);
}

}  // namespace vertuno::qt
