#pragma once

#include <emscripten/val.h>

#include <functional>
#include <set>
#include <string>

#include "machine/platform.h"
#include "platform/random_source.h"

namespace vertuno::web {

// The platform under the machine in a browser. The page queues events; the machine drains the
// queue here, and while it is empty the machine's stack is suspended until the page queues
// one, so a wait never spins and nothing calls into the machine while it sleeps.
class WebPlatform : public Platform {
 public:
  using Dispatch = std::function<void(const emscripten::val& event)>;
  void setDispatch(Dispatch dispatch) { dispatch_ = std::move(dispatch); }

  // The idle timer ticks from now on.
  void startWindowTimers();

  void pumpEvents() override;
  void waitForEvents() override;
  void armWaitTimer(int intervalMs) override;
  void disarmWaitTimer() override;
  void armLongPressTimer(int intervalMs) override;
  void disarmLongPressTimer() override;
  void playSound(const std::string& name) override;
  void reseedRandom() override;
  double nextRandom() override;
  std::string totalsFilePath() override;
  // The money the browser keeps under the totals file's name.
  std::optional<std::string> readFile(const std::string& path, std::size_t largest) override;
  std::error_code replaceFile(const std::string& path, const std::string& bytes) override;
  [[noreturn]] void endProgram(int status) override;

 private:
  Dispatch dispatch_;
  std::set<std::string> soundsMade_;
  RandomSource random_;
};

}  // namespace vertuno::web
