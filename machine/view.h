#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "machine/geometry.h"

namespace vertuno {

// Which part of the picture a state change touched, so a view repaints only that. A change of
// face brings its outline with it.
enum class Change { PlayerCoins, WinDisplay, Cells, Face, Coin, InfoWindow };

enum class MenuChoice { None, Statistics, About, Exit };

enum class MessageStyle { InformationOk, InformationYesNo, WarningOk };
enum class Answer { Ok, Yes, No };

// The machine's windows: the cabinet, Form1, and the two side windows.
enum class WindowId : std::uint8_t { Machine, Info, About };

// What the machine tells the windows that show it. They read the state record themselves.
class View {
 public:
  virtual ~View() = default;

  // A modal message box; returns the button chosen.
  virtual Answer messageBox(const std::string& text, const std::string& title, MessageStyle style) = 0;

  virtual void showMachineWindow() = 0;
  // In front of the side windows.
  virtual void raiseMachineWindow() = 0;
  // Pops the machine menu up at this point of the machine window, or at the pointer when none
  // is given, and returns what was chosen once the menu's own loop has ended.
  virtual MenuChoice popupMainMenu(std::optional<Point> at) = 0;
  // Closes the open menu: popupMainMenu then returns no choice.
  virtual void closeMainMenu() = 0;
  virtual void showInfoWindow() = 0;
  virtual void hideInfoWindow() = 0;
  virtual void showAboutWindow() = 0;
  virtual void hideAboutWindow() = 0;

  // The cabinet is dragged, the pointer having come this far from where the button went down:
  // true when the desktop moves the window from here until the button is let go. Otherwise the
  // machine moves it with each motion.
  virtual bool handDragToDesktop(Point moved) = 0;
  virtual void moveMachineWindowBy(Point offset) = 0;
  // The press that started a drag has ended.
  virtual void dragEnded() {}

  virtual void changed(Change what) = 0;
};

}  // namespace vertuno
