#pragma once

#include <span>
#include <string>
#include <system_error>

namespace vertuno {

struct Point {
  int x = 0;
  int y = 0;
};

// Which part of the picture a state change touched, so a view repaints only that.
enum class Change { PlayerCoins, WinDisplay, Cells, Face, Coin, InfoWindow };

enum class MenuChoice { None, Statistics, About, Exit };

// Message box answers and styles, as the desktop numbers them.
inline constexpr int AnswerOk = 1;
inline constexpr int AnswerYes = 6;
inline constexpr int AnswerNo = 7;
inline constexpr int StyleWarningOk = 48;
inline constexpr int StyleInformationOk = 64;
inline constexpr int StyleInformationYesNo = 68;

// Everything the machine needs from a desktop. The machine never reads a clock itself.
class Host {
 public:
  virtual ~Host() = default;

  // Dispatch the events that are already pending, once.
  virtual void pumpEvents() = 0;
  // Block until at least one event arrives, then dispatch what is pending.
  virtual void waitForEvents() = 0;

  // Timer1: start counting the interval afresh from now; its tick calls Timer1_Timer.
  virtual void armWaitTimer(int intervalMs) = 0;
  virtual void disarmWaitTimer() = 0;

  // A modal message box with the information icon; returns the answer code.
  virtual int messageBox(const std::string& text, const std::string& title, int style) = 0;

  // Start a sound file without waiting for it; a new start stops the one playing.
  virtual void playSound(const std::string& path) = 0;

  // The uniform random source in [0, 1).
  virtual void reseedRandom() = 0;
  virtual double nextRandom() = 0;

  // Replaces a file's content durably: a crash leaves the old content or the new, never a torn
  // one. Empty on success.
  virtual std::error_code replaceFile(const std::string& path, const std::string& bytes) = 0;

  // Where the sounds live, and where the totals file is kept.
  virtual std::string programFolder() = 0;
  virtual std::string totalsFilePath() = 0;

  virtual void setOutline(std::span<const Point> outline) = 0;
  virtual void showMachineWindow() = 0;
  virtual void startWindowDrag() = 0;
  // Pops the machine menu up at the pointer and returns what was chosen.
  virtual MenuChoice popupMainMenu() = 0;
  virtual void showInfoWindow() = 0;
  virtual void hideInfoWindow() = 0;
  virtual void showAboutWindow() = 0;

  // Ends the program at once with this exit status, from however deep inside waits and handlers.
  [[noreturn]] virtual void endProgram(int status) = 0;

  virtual void changed(Change what) = 0;
};

}  // namespace vertuno
