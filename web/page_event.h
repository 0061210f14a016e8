#pragma once

namespace vertuno::web {

// What the page queues for the machine. The page learns these numbers from the tables it is
// handed, so they are written here alone.
enum class PageEventKind : int {
  None = 0,
  Timer1,
  Timer2,
  Press,          // a: the button, b: every button held, x, y: in the cabinet
  DoubleClick,    // as a press
  Release,        // as a press
  Move,           // b: every button held, x, y: in the cabinet
  FingerDown,     // a: its time in milliseconds, x, y: in the cabinet
  FingerMove,     // x, y: in the cabinet
  FingerUp,       // as a finger's move
  LongPress,      // the long-press timer went off
  MenuKey,        // the menu key or Shift+F10 on the cabinet
  Activate,       // a: the hot spot's index in the layout
  Escape,         // a: the side window's index in the layout
  CloseWindow,    // a: the side window whose close button was pressed
  SideButton,     // a: the side window, b: the control's index in it
  Answer,         // a: the message box's answer
  MenuChosen,     // a: the menu item's index, or -1 for none
  Rescale,        // the screen's pixel ratio changed
  Hidden,         // the page went out of sight, or is left
  Close,          // another tab takes the machine over
};

struct PageEvent {
  PageEventKind kind = PageEventKind::None;
  int a = 0;
  int b = 0;
  int x = 0;
  int y = 0;
};

}  // namespace vertuno::web
