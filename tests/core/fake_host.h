#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "machine/layout.h"
#include "machine/machine.h"
#include "machine/platform.h"
#include "machine/view.h"

namespace vertuno::testing {

// Thrown where the real program would end at once.
struct ProgramEnded {
  int status = 0;
};

// A desktop with a virtual clock: time passes only while the machine waits for events, and
// then jumps straight to the next one that is due.
class FakeHost : public Platform, public View {
 public:
  using Micros = std::int64_t;

  struct Sound {
    Micros at;
    std::string name;
  };
  struct Message {
    Micros at;
    std::string text;
    std::string title;
    MessageStyle style;
  };
  struct Outline {
    Micros at;
    std::vector<Point> points;
  };
  struct Cells {
    Micros at;
    std::array<CellPicture, 3> cells;
  };

  FakeHost();

  Machine& machine() { return machine_; }
  MachineState& state() { return machine_.state(); }
  Micros now() const { return now_; }
  bool waitTimerArmed() const { return waitTimerDue_.has_value(); }
  double seconds() const { return static_cast<double>(now_) / 1e6; }

  // Scheduling what the player does, at a virtual time in seconds.
  void at(double seconds, std::function<void(Machine&)> action);
  void clickAt(double seconds) {
    at(seconds, [](Machine& m) { m.Label1_Click(); });
  }
  // Timer2 ticking from now on, as the loaded window's idle timer does.
  void startIdleTimer() { idleTimerDue_ = now_ + machine_window::Timer2IntervalMs * Micros{1000}; }

  // The program's own event loop: dispatches everything due up to that time.
  void runUntil(double seconds);

  // Scripted answers; an empty queue answers OK/Yes. Scripted draws; an empty queue draws from
  // a seeded generator.
  std::deque<Answer> answers;
  std::deque<double> draws;
  // How long the player leaves each message box open; its modal loop dispatches meanwhile.
  double messageBoxOpenSeconds = 0;
  // The draws of one play that yield these digits and this special number.
  void drawPlay(int first, int second, int third, int spare, int special = 0);

  std::string totalsPath = "/nonexistent-vertuno-folder/data1.ini";

  std::vector<Sound> sounds;
  std::vector<Message> messages;
  std::vector<Outline> outlines;  // the outline of every face shown
  std::vector<Cells> cellChanges;
  std::vector<int> waitIntervals;  // every arming of the wait timer
  int dispatches = 0;              // every dispatch of pending events
  int reseeds = 0;
  int menuPopups = 0;
  int infoShows = 0;
  bool infoVisible = false;
  int aboutShows = 0;
  bool aboutVisible = false;
  int raises = 0;
  std::deque<MenuChoice> menuChoices;
  // How long the player leaves the menu open before choosing; its loop dispatches meanwhile.
  double menuOpenSeconds = 0;
  bool menuShown = false;
  std::optional<Point> menuAt;  // where the last menu was asked for; none: at the pointer
  // Whether the desktop takes a drag over; the window's moves when it does not, and the drag's ends.
  bool desktopMoves = true;
  std::vector<Point> handedOver;
  std::vector<Point> windowMoves;
  int dragEnds = 0;

  // The player's raw input, as a front end passes it on.
  void input(const Input& input) { machine_.input(input); }
  void press(MouseButton button, Point at, MouseButton alsoHeld = MouseButton::None);
  void release(MouseButton button, Point at, MouseButton stillHeld = MouseButton::None);
  void doubleClick(Point at) {
    machine_.input({.kind = InputKind::DoubleClick, .button = MouseButton::Left, .held = MouseButton::Left, .at = at});
  }
  void move(MouseButton held, Point at) { machine_.input({.kind = InputKind::Move, .held = held, .at = at}); }
  // A finger's, at the host's time.
  void finger(InputKind kind, Point at) { machine_.input({.kind = kind, .at = at, .ms = now_ / 1000}); }
  void click(Point at) {
    press(MouseButton::Left, at);
    release(MouseButton::Left, at);
  }

  void pumpEvents() override;
  void waitForEvents() override;
  void armWaitTimer(int intervalMs) override;
  void disarmWaitTimer() override;
  void armLongPressTimer(int intervalMs) override { longPressDue_ = now_ + intervalMs * Micros{1000}; }
  void disarmLongPressTimer() override { longPressDue_.reset(); }
  Answer messageBox(const std::string& text, const std::string& title, MessageStyle style) override;
  void playSound(const std::string& name) override;
  void reseedRandom() override;
  double nextRandom() override;
  std::optional<std::string> readFile(const std::string& path, std::size_t largest) override;
  // Replaces the file through a temporary one, with the standard library alone.
  std::error_code replaceFile(const std::string& path, const std::string& bytes) override;
  std::string totalsFilePath() override { return totalsPath; }
  void showMachineWindow() override {}
  void raiseMachineWindow() override { ++raises; }
  MenuChoice popupMainMenu(std::optional<Point> at) override;
  void closeMainMenu() override { menuShown = false; }
  void showInfoWindow() override {
    ++infoShows;
    infoVisible = true;
  }
  void hideInfoWindow() override { infoVisible = false; }
  void showAboutWindow() override {
    ++aboutShows;
    aboutVisible = true;
  }
  void hideAboutWindow() override { aboutVisible = false; }
  bool handDragToDesktop(Point moved) override {
    if (desktopMoves) handedOver.push_back(moved);
    return desktopMoves;
  }
  void moveMachineWindowBy(Point offset) override { windowMoves.push_back(offset); }
  void dragEnded() override { ++dragEnds; }
  [[noreturn]] void endProgram(int status) override { throw ProgramEnded{status}; }
  void changed(Change what) override;

 private:
  std::optional<Micros> nextDue() const;
  void deliverDue();

  Machine machine_;
  Micros now_ = 0;
  std::multimap<Micros, std::function<void(Machine&)>> scheduled_;
  std::optional<Micros> waitTimerDue_;
  Micros waitTimerInterval_ = 0;
  std::optional<Micros> idleTimerDue_;
  std::optional<Micros> longPressDue_;
  std::mt19937_64 generator_{12345};
};

}  // namespace vertuno::testing
