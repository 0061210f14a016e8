#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/machine_state.h"
#include "machine/input.h"
#include "machine/platform.h"
#include "machine/view.h"

namespace vertuno {

// The machine window object: it owns the state record and every operation on it. Event
// handlers and operations keep the names the machine's controls give them. Events come in from
// the platform and the view; what changed goes out to the view, and nothing comes back round.
class Machine {
 public:
  Machine(Platform& platform, View& view);

  MachineState& state() { return state_; }
  const MachineState& state() const { return state_; }

  // Everything the player does reaches the machine here, raw; the machine hit-tests it against
  // its layout and outline, and calls the handler it means.
  void input(const Input& input);

  // Machine window events.
  void Form_Load();
  // True when the window is to follow the pointer: the cabinet is dragged by the left button.
  [[nodiscard]] bool Form_MouseMove(MouseButton held);
  void Form_MouseDown(MouseButton button);
  void Form_Unload();
  void Form_Terminate();
  void Label1_Click();
  void Label3_Click();
  void Label7_DblClick();
  void Label8_MouseDown();
  void Label8_MouseUp();
  void Label11_DblClick();
  void Timer1_Timer();
  void Timer2_Timer();

  // Info window events and the machine menu.
  void Command1_Click();
  void Form2_QueryUnload();
  void Form2_Unload();
  void Form2_Terminate();
  void Info_Click();
  void mnuAbout_Click();
  void mnuExit_Click();

  // Machine operations.
  void Wait(double seconds);
  void tablo(std::string_view text, std::string_view mode);
  void Priz(double& amount);
  void Money();
  void Muzik();
  void Prostoy();
  void OpenStatic();
  void SaveStatic();
  // Saves what the info window holds without telling any view: for when the desktop is gone.
  void saveWithoutViews();

  // When the last save failed: tells the player and standard error, and says true. The
  // program then ends with a failure.
  bool warnIfMoneyUnsaved();
  // The same on standard error alone, for when no player is there to read a box.
  bool reportMoneyUnsaved();

  // Any touch of an info-window field loads that window, hidden, first.
  InfoFields& info();
  // Closing the info window, as its close button or "ОК" does.
  void closeInfoWindow();
  // A side window's close button, or Escape in it.
  void closeSideWindow(WindowId window);

 private:
  // The press going on: what it began on, and what became of it.
  struct Press {
    Area area;
    Point at{};
    bool leftOnSpot = false;     // the left button went down on the hot spot: a click may follow
    bool inDoubleClick = false;  // that press is a double-click's second, which makes no click
    bool heldStill = false;      // a touch held long: the right button's press now, not a drag
    enum class Drag : std::uint8_t { None, ByHand, HandedOver } drag = Drag::None;
  };
  void buttonDown(MouseButton button, MouseButton held, Point at, bool doubleClick);
  void buttonUp(MouseButton button, MouseButton held, Point at);
  void pointerMoved(MouseButton held, Point at);
  void endDrag();
  // The finger going on, as a touch screen tells a tap, a double tap and a long press apart.
  struct Touch {
    Point from{};
    bool still = false;  // it has not left the slop since it went down
    std::optional<std::int64_t> lastTapMs;
  };
  void fingerDown(Point at, std::int64_t ms);
  void fingerMoved(Point at);
  void fingerUp(Point at);
  void longPress();
  void activate(std::string_view hotSpot);
  void popUpMainMenu(std::optional<Point> at);
  void call(void (Machine::*handler)()) {
    if (handler) (this->*handler)();
  }
  bool idleTickStartsDemo() const;

  void loadInfoWindow();
  void showInfoWindow();
  void askToStartOver();
  // Ends the program after its final save, with a failure when that save failed.
  void endProgram();
  // A message box of the machine; while one is open the machine counts no idle time.
  Answer ask(const std::string& text, const std::string& title, MessageStyle style);
  bool isNormalFace() const { return state_.CabinetFace == Face::NormalFace; }
  // Adds delta to a numeric field; false (and the field untouched) when it holds no number.
  bool addTo(std::string& field, double delta);
  bool addToMachineMoney(double delta);
  void setMachineMoney(std::string text);
  void setIdleTicksToZero();
  void setFace(Face face);
  void setCells(CellPicture first, CellPicture second, CellPicture third);
  void setCell(int index, CellPicture picture);
  void rollCells(int firstCell);

  // What a save keeps: while the refill's message is open, the money the machine holds once
  // it is closed, so an ending there loses neither the refill nor the player's coins.
  std::string moneyToKeep();
  static constexpr const char* RefillLevel = "1000";

  Platform& platform_;
  View& view_;
  MachineState state_;
  Press press_;
  Touch touch_;
  int openMessageBoxes_ = 0;
  bool menuOpen_ = false;
  bool idleTickAfterMenu_ = false;  // the tick that closed the menu, to come again after it
  bool refillPending_ = false;
  // Money a save could not write: it stays the machine's money until a save succeeds.
  struct UnsavedMoney {
    std::string money;
    std::string reason;
  };
  std::optional<UnsavedMoney> unsaved_;
};

}  // namespace vertuno
