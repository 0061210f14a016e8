#pragma once

#include <QLabel>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "stats/side_window_layout.h"

namespace vertuno::qt {

// A fixed-size side window of the machine: a title and a close button only, centred when shown,
// its controls built from the window's layout table. It has no taskbar entry, and so no minimise
// either: a minimised window without an entry could never be found again. The machine answers
// its buttons, its closing and its keys.
class CentredWindow : public QWidget {
 public:
  CentredWindow(const SideWindowLayout& layout, Machine& machine);
  void showCentred();

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Shows these counters in the texts that name them.
  void showCounters(const InfoFields& counters);
  // Where the layout's boxes start: the window's corner, or the corner under its own title bar.
  QPoint contentOrigin() const { return content_ ? content_->pos() : QPoint(); }

 private:
  Machine& machine_;
  WindowId id_;
  QWidget* content_ = nullptr;  // the area under the window's own title bar, where it has one
  std::vector<std::pair<QLabel*, std::string InfoFields::*>> counterTexts_;
};

// Shows a window as the player asked for it: restored if it was minimised, in front, focused.
void bringToFront(QWidget& window);

}  // namespace vertuno::qt
