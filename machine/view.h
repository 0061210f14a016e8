#pragma once

#include <string>

namespace vertuno {

// Which part of the picture a state change touched, so a view repaints only that. A change of
// face brings its outline with it.
enum class Change { PlayerCoins, WinDisplay, Cells, Face, Coin, InfoWindow };

enum class MenuChoice { None, Statistics, About, Exit };

enum class MessageStyle { InformationOk, InformationYesNo, WarningOk };
enum class Answer { Ok, Yes, No };

// What the machine tells the windows that show it. They read the state record themselves.
class View {
 public:
  virtual ~View() = default;

  // A modal message box; returns the button chosen.
  virtual Answer messageBox(const std::string& text, const std::string& title, MessageStyle style) = 0;

  virtual void showMachineWindow() = 0;
  // Pops the machine menu up at the pointer and returns what was chosen.
  virtual MenuChoice popupMainMenu() = 0;
  virtual void showInfoWindow() = 0;
  virtual void hideInfoWindow() = 0;
  virtual void showAboutWindow() = 0;

  virtual void changed(Change what) = 0;
};

}  // namespace vertuno
