#pragma once

#include "qt/centred_window.h"

namespace vertuno::qt {

// Form3: a picture and three lines about the program.
class AboutWindow : public CentredWindow {
 public:
  AboutWindow();
};

}  // namespace vertuno::qt
