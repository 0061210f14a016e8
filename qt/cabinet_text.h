#pragma once

#include <QLabel>

#include "machine/layout.h"
#include "qt/keeps_mouse_events.h"

namespace vertuno::qt {

// A text written on the cabinet. It keeps its mouse presses, as the cabinet's labels do.
class CabinetText : public KeepsMouseEvents<QLabel> {
 public:
  CabinetText(QWidget* parent, const CabinetLabel& label);
};

}  // namespace vertuno::qt
