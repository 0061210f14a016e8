#pragma once

#include "machine/machine.h"
#include "qt/centred_window.h"

namespace vertuno::qt {

// Form2, "Информация": the machine's counters. The machine decides when it loads, saves and
// closes; this only shows the fields.
class InfoWindowView : public CentredWindow {
 public:
  explicit InfoWindowView(Machine& machine);
  void refresh();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Machine& machine_;
};

}  // namespace vertuno::qt
