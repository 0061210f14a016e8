#pragma once

#include <cstdint>
#include <string_view>

#include "machine/geometry.h"
#include "machine/view.h"

namespace vertuno {

struct HotSpotLayout;

// What lies under a point of the machine window. The hot spots lie over the texts, the texts
// over the board, the board over the bare cabinet; outside the outline lies what is behind.
enum class AreaKind : std::uint8_t { Outside, HotSpot, Text, Board, BareCabinet };

struct Area {
  AreaKind kind = AreaKind::Outside;
  const HotSpotLayout* spot = nullptr;
};

// Mouse buttons as the machine numbers them. A set of buttons held is a sum of these.
enum class MouseButton : unsigned { None = 0, Left = 1, Right = 2, Middle = 4 };

inline MouseButton operator|(MouseButton a, MouseButton b) {
  return static_cast<MouseButton>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

inline bool holds(MouseButton held, MouseButton button) {
  return (static_cast<unsigned>(held) & static_cast<unsigned>(button)) != 0;
}

enum class InputKind : std::uint8_t {
  Press,        // button went down at `at`
  DoubleClick,  // the second press of a double-click, in its place
  Release,      // button let go at `at`, wherever that is
  Move,         // the pointer moved to `at`
  FingerDown,   // a touch screen's finger went down at `at`, at `ms` on the platform's clock
  FingerMove,   // that finger moved to `at`
  FingerUp,     // that finger lifted at `at`
  LongPress,    // the long-press timer the machine armed for a finger went off
  MenuKey,      // the keyboard's menu key, or Shift+F10, on the machine window
  Escape,       // the Escape key, in `window`
  Activate,     // a screen reader's or the keyboard's press of the hot spot `hotSpot`
};

// What the player does, as a front end hears it, raw: the machine decides what it means. Points
// are in the machine window, in pixels of a 96-dpi screen; they may lie outside it while a
// button is held.
struct Input {
  InputKind kind;
  MouseButton button = MouseButton::None;
  MouseButton held = MouseButton::None;  // every button down once this has happened
  Point at{};
  WindowId window = WindowId::Machine;
  std::string_view hotSpot{};
  std::int64_t ms = 0;  // when a finger went down, in milliseconds
};

// A finger's gestures as a touch screen's own: held this long within the slop (px) it is a
// long press, and a press this soon after a tap is a double tap.
inline constexpr int LongPressMs = 500;
inline constexpr int DoubleTapMs = 400;
inline constexpr int TouchSlop = 10;

}  // namespace vertuno
