#pragma once

#include <QLabel>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "stats/side_window_layout.h"

namespace vertuno::qt {

// A fixed-size side window with a title and a close button only, centred when shown. Its
// controls are built from the window's layout table.
class CentredWindow : public QWidget {
 public:
  // The machine answers the window's buttons; a window without buttons needs none.
  explicit CentredWindow(const SideWindowLayout& layout, Machine* machine = nullptr);
  void showCentred();
  // Belongs to the machine window: no taskbar entry of its own, kept above its owner.
  void belongTo(QWidget& owner);

 protected:
  // Shows these counters in the texts that name them.
  void showCounters(const InfoFields& counters);

 private:
  std::vector<std::pair<QLabel*, std::string InfoFields::*>> counterTexts_;
};

}  // namespace vertuno::qt
