#pragma once

#include "stats/centred_window_qt.h"

namespace vertuno {

// Form3: a picture and three lines about the program.
class AboutWindow : public CentredWindow {
 public:
  AboutWindow();
};

}  // namespace vertuno
