#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <system_error>

namespace vertuno {

// What the machine needs from the platform it runs on. The machine never reads a clock itself.
class Platform {
 public:
  virtual ~Platform() = default;

  // Dispatch the events that are already pending, once.
  virtual void pumpEvents() = 0;
  // Block until at least one event arrives, then dispatch what is pending.
  virtual void waitForEvents() = 0;

  // Timer1: start counting the interval afresh from now; its tick calls Timer1_Timer.
  virtual void armWaitTimer(int intervalMs) = 0;
  virtual void disarmWaitTimer() = 0;
  // A finger's long press: after intervalMs the platform hands the machine InputKind::LongPress,
  // unless disarmed first. A platform that hands over no finger never has it armed.
  virtual void armLongPressTimer(int /*intervalMs*/) {}
  virtual void disarmLongPressTimer() {}

  // Starts one of the machine's sounds (sounds::All) without waiting for it; a new start stops
  // the one playing. Where the sound's file lives is the platform's business.
  virtual void playSound(const std::string& name) = 0;

  // The uniform random source in [0, 1).
  virtual void reseedRandom() = 0;
  virtual double nextRandom() = 0;

  // Where the totals file is kept; empty where nothing can be kept (a browser that keeps no
  // data for the page, which has told the player so): the machine then starts fresh and saves
  // nothing.
  virtual std::string totalsFilePath() = 0;

  // A file's whole content; nothing when it is no regular file, cannot be read or holds more
  // than largest bytes.
  virtual std::optional<std::string> readFile(const std::string& path, std::size_t largest) = 0;
  // Replaces a file's content durably: a crash leaves the old content or the new, never a torn
  // one. Empty on success.
  virtual std::error_code replaceFile(const std::string& path, const std::string& bytes) = 0;

  // Ends the program at once with this exit status, from however deep inside waits and handlers.
  [[noreturn]] virtual void endProgram(int status) = 0;
};

}  // namespace vertuno
