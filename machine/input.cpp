#include "machine/input.h"

#include "machine/cabinet.h"
#include "machine/machine.h"

namespace vertuno {

void Machine::input(const Input& input) {
  switch (input.kind) {
    case InputKind::Press: buttonDown(input.button, input.held, input.at, false); break;
    case InputKind::DoubleClick: buttonDown(input.button, input.held, input.at, true); break;
    case InputKind::Release: buttonUp(input.button, input.held, input.at); break;
    case InputKind::Move: pointerMoved(input.held, input.at); break;
    case InputKind::FingerDown: fingerDown(input.at, input.ms); break;
    case InputKind::FingerMove: fingerMoved(input.at); break;
    case InputKind::FingerUp: fingerUp(input.at); break;
    case InputKind::LongPress: longPress(); break;
    case InputKind::MenuKey: popUpMainMenu(machine_window::MenuKeyPoint); break;
    case InputKind::Escape: closeSideWindow(input.window); break;
    case InputKind::Activate: activate(input.hotSpot); break;
  }
}

// A press with no other button held starts a press of its own, on what lies under it; one
// made while another is held joins that one, as the window's grab of the pointer would have it.
// The second press of a left double-click on a hot spot is the double-click alone.
void Machine::buttonDown(MouseButton button, MouseButton held, Point at, bool doubleClick) {
  if (button == MouseButton::None) return;
  const bool joins = (static_cast<unsigned>(held) & ~static_cast<unsigned>(button)) != 0;
  if (!joins) {
    if (press_.drag != Press::Drag::None) endDrag();  // its release went to the desktop
    press_ = {areaAt(at, state_), at};
    if (press_.area.kind == AreaKind::Outside) return;
    view_.raiseMachineWindow();
  }
  const bool left = button == MouseButton::Left;
  switch (press_.area.kind) {
    case AreaKind::HotSpot:
      if (left) {
        press_.leftOnSpot = true;
        press_.inDoubleClick = doubleClick;
      }
      call(left && doubleClick ? press_.area.spot->onDoubleClick : press_.area.spot->onPress);
      break;
    case AreaKind::BareCabinet: Form_MouseDown(button); break;
    case AreaKind::Outside:
    case AreaKind::Text:
    case AreaKind::Board: break;  // a text or the board keeps its press: no menu, no drag
  }
}

// A hot spot hears its release wherever the button is let go; a click is a left press and
// release inside it.
void Machine::buttonUp(MouseButton button, MouseButton held, Point at) {
  const bool left = button == MouseButton::Left;
  if (left && press_.drag != Press::Drag::None) endDrag();
  const HotSpotLayout* spot = press_.area.kind == AreaKind::HotSpot ? press_.area.spot : nullptr;
  const bool click = spot && left && press_.leftOnSpot && !press_.inDoubleClick && spot->box.contains(at);
  if (left) press_.leftOnSpot = press_.inDoubleClick = false;
  if (held == MouseButton::None) press_ = {};
  if (!spot) return;
  call(spot->onRelease);
  if (click) call(spot->onClick);
}

// The drag starts on the first motion with the left button alone held, and the desktop takes
// it over where it can; the press hands it over once.
void Machine::pointerMoved(MouseButton held, Point at) {
  if (!holds(held, MouseButton::Left) && press_.drag != Press::Drag::None) {  // its release went astray
    endDrag();
    press_ = {};
  }
  if (press_.area.kind != AreaKind::BareCabinet || press_.heldStill) return;
  const Point moved{at.x - press_.at.x, at.y - press_.at.y};
  switch (press_.drag) {
    case Press::Drag::HandedOver: return;
    case Press::Drag::ByHand:
      if (held == MouseButton::Left) view_.moveMachineWindowBy(moved);
      return;
    case Press::Drag::None:
      if (!Form_MouseMove(held)) return;
      if (view_.handDragToDesktop(moved)) {
        press_.drag = Press::Drag::HandedOver;
      } else {
        press_.drag = Press::Drag::ByHand;
        view_.moveMachineWindowBy(moved);
      }
  }
}

void Machine::endDrag() {
  press_.drag = Press::Drag::None;
  view_.dragEnded();
}

// A finger is the left button, with a touch screen's own gestures: a press soon after a tap is
// a double tap, the finger moves only once it leaves the slop, and held still long enough it is
// a long press.
void Machine::fingerDown(Point at, std::int64_t ms) {
  const bool doubleTap = touch_.lastTapMs && ms - *touch_.lastTapMs < DoubleTapMs;
  touch_ = {.from = at, .still = true, .lastTapMs = doubleTap ? std::nullopt : std::optional(ms)};
  platform_.armLongPressTimer(LongPressMs);
  buttonDown(MouseButton::Left, MouseButton::Left, at, doubleTap);
}

void Machine::fingerMoved(Point at) {
  if (touch_.still) {
    const int dx = at.x - touch_.from.x;
    const int dy = at.y - touch_.from.y;
    if (dx * dx + dy * dy < TouchSlop * TouchSlop) return;
    touch_.still = false;
    platform_.disarmLongPressTimer();
  }
  pointerMoved(MouseButton::Left, at);
}

void Machine::fingerUp(Point at) {
  platform_.disarmLongPressTimer();
  buttonUp(MouseButton::Left, MouseButton::None, at);
}

// A finger held still where it went down is the right button there, as a touch screen's press
// and hold is: its press opens what a right press opens, and it makes no click and no drag. A
// finger that has dragged is not held still.
void Machine::longPress() {
  if (press_.area.kind == AreaKind::Outside || press_.drag != Press::Drag::None || press_.heldStill) return;
  press_.heldStill = true;
  press_.leftOnSpot = false;
  buttonDown(MouseButton::Right, MouseButton::Left | MouseButton::Right, press_.at, false);
}

// A screen reader's press is a click: pressed, let go and clicked at once.
void Machine::activate(std::string_view name) {
  const HotSpotLayout* spot = hotSpotNamed(name);
  if (!spot || spot->accessibleName.empty()) return;
  call(spot->onPress);
  call(spot->onRelease);
  call(spot->onClick);
}

}  // namespace vertuno
