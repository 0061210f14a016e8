#pragma once

namespace vertuno::web {

// What the page queues for the machine, as {kind, a, b}. The page learns these numbers from the
// tables it is handed, so they are written here alone.
enum class PageEventKind : int {
  None = 0,
  Input,  // what the player did, raw: the fields of the machine's Input, by name
  Timer1,
  Timer2,
  LongPress,    // the long-press timer went off
  CloseWindow,  // a: the side window whose close button was pressed
  SideButton,   // a: the side window, b: the control's index in it
  Answer,       // a: the message box's answer
  MenuChosen,   // a: the menu item's index, or -1 for none
  Rescale,      // the screen's pixel ratio changed
  Hidden,       // the page went out of sight, or is left
  Close,        // another tab takes the machine over
};

}  // namespace vertuno::web
