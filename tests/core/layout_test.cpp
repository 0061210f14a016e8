#include <gtest/gtest.h>

#include "stats/side_window_layout.h"

namespace vertuno::testing {
namespace {

bool inside(const Box& inner, int width, int height) {
  return inner.left >= 0 && inner.top >= 0 && inner.width > 0 && inner.height > 0 &&
         inner.left + inner.width <= width && inner.top + inner.height <= height;
}

// A box off its window is a text nobody sees or a button nobody can press.
TEST(Layout, EveryControlLiesInItsWindow) {
  using namespace machine_window;
  for (const CabinetLabel& label : Texts) {
    EXPECT_TRUE(inside(label.box, Width, Height)) << label.name;
  }
  for (const HotSpotLayout& spot : HotSpots) {
    // The demo's hot spot lies on the cabinet's rim, its last pixel column on the edge.
    EXPECT_TRUE(inside(spot.box, Width + 1, Height)) << spot.name;
  }
  for (const SideWindowLayout& window : {info_window::Layout, about_window::Layout}) {
    const Box* frame = nullptr;
    for (const Control& control : window.controls) {
      if (control.kind == ControlKind::Frame) frame = &control.box;
      const bool fits = control.inFrame ? frame && inside(control.box, frame->width, frame->height)
                                        : inside(control.box, window.width, window.height);
      EXPECT_TRUE(fits) << window.name << " " << control.name;
      if (control.widthWithWindowsFaces) {
        EXPECT_TRUE(control.inFrame && control.box.left + control.widthWithWindowsFaces <= frame->width)
            << control.name;
      }
    }
  }
}

}  // namespace
}  // namespace vertuno::testing
