#pragma once

#include <windows.h>

#include <string>

#include "machine/platform.h"
#include "platform/random_source.h"
#include "windows/file_claim.h"
#include "windows/held_file.h"

namespace vertuno {
class Machine;
}

namespace vertuno::win32 {

// Hands one message to its window; in a side window, Enter, Escape and Tab work as in a dialog.
void dispatch(MSG& message);

// The platform under the machine, on Win32: the message loop, window timers, PlaySound, the
// random source, the paths and the durable file replace.
class Win32Platform : public Platform {
 public:
  enum TimerId : UINT_PTR { Timer1 = 1, Timer2 = 2, Timer3 = 3 };

  Win32Platform(std::wstring programFolder, std::wstring totalsFile);

  // The timers tick on this window, whose procedure hands them to the machine.
  void attach(HWND timerWindow) { timerWindow_ = timerWindow; }
  // Timer2 counts idle ticks from the moment the window loads; Timer3 only ticks.
  void startWindowTimers();
  // The totals file, held in its folder, and its claim, which each save passes on to the new
  // content of the file.
  void keepTotalsFile(windows::HeldFile& file, windows::FileClaim& claim) {
    totalsHeld_ = &file;
    claim_ = &claim;
  }

  void pumpEvents() override;
  void waitForEvents() override;
  void armWaitTimer(int intervalMs) override;
  void disarmWaitTimer() override;
  void playSound(const std::string& name) override;
  void reseedRandom() override;
  double nextRandom() override;
  std::string totalsFilePath() override;
  std::optional<std::string> readFile(const std::string& path, std::size_t largest) override;
  std::error_code replaceFile(const std::string& path, const std::string& bytes) override;
  [[noreturn]] void endProgram(int status) override;

 private:
  std::wstring programFolder_;
  std::wstring totalsFile_;
  HWND timerWindow_ = nullptr;
  RandomSource random_;
  windows::HeldFile* totalsHeld_ = nullptr;
  windows::FileClaim* claim_ = nullptr;
};

}  // namespace vertuno::win32
