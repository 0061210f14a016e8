#pragma once

namespace vertuno::web {

// What the page queues for the machine. The page learns these numbers from the tables it is
// handed, so they are written here alone.
enum class PageEventKind : int {
  None = 0,
  Timer1,
  Timer2,
  Timer3,
  HotSpotPress,        // a: the hot spot's index in the layout
  HotSpotRelease,      // a: the hot spot
  HotSpotClick,        // a: the hot spot
  HotSpotDoubleClick,  // a: the hot spot
  CabinetPress,        // a: the button, as the machine numbers buttons
  CabinetMove,         // a: every button held
  Answer,              // a: the message box's answer
  MenuChosen,          // a: the menu item's index, or -1 for none
  SideButton,          // a: the info window control's index
  InfoClose,           // the info window's close button
  Rescale,             // the screen's pixel ratio changed
  Hidden,              // the page went out of sight
  Close,               // the page goes away, or another tab takes the machine over
};

struct PageEvent {
  PageEventKind kind = PageEventKind::None;
  int a = 0;
};

}  // namespace vertuno::web
