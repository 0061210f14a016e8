#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "machine/platform.h"
#include "platform/random_source.h"
#include "posix/sound_player.h"

namespace vertuno {
class Machine;
}

namespace vertuno::posix {
class FileClaim;
class HeldFile;
}  // namespace vertuno::posix

namespace vertuno::qt {

// The platform under the machine, on Qt: its event loop, timers, sounds, random source, paths,
// and on POSIX the durable file replace.
class QtPlatform : public QObject, public Platform {
 public:
  // Paths in the file system's own encoding.
  QtPlatform(std::string programFolder, std::string totalsFile);

  // Timer ticks go to this machine.
  void attach(Machine& machine);
  // Timer2 counts idle ticks from the moment the window loads; Timer3 only ticks.
  void startWindowTimers();
  // The totals file, held in its folder, and its claim, which each save passes on to the new
  // content of the file.
  void keepTotalsFile(posix::HeldFile& file, posix::FileClaim& claim) {
    totalsHeld_ = &file;
    claim_ = &claim;
  }
  // What to tidy away just before the program ends, however the machine ends it.
  void beforeEnding(std::function<void()> last) { beforeEnding_ = std::move(last); }

  void pumpEvents() override;
  void waitForEvents() override;
  void armWaitTimer(int intervalMs) override;
  void disarmWaitTimer() override;
  void playSound(const std::string& name) override;
  void reseedRandom() override;
  double nextRandom() override;
  std::string totalsFilePath() override { return totalsFile_; }
  std::optional<std::string> readFile(const std::string& path, std::size_t largest) override;
  std::error_code replaceFile(const std::string& path, const std::string& bytes) override;
  [[noreturn]] void endProgram(int status) override;

 private:
  std::string programFolder_;
  std::string totalsFile_;
  QTimer timer1_;
  QTimer timer2_;
  QTimer timer3_;
  posix::SoundPlayer sounds_;
  RandomSource random_;
  posix::HeldFile* totalsHeld_ = nullptr;
  posix::FileClaim* claim_ = nullptr;
  std::function<void()> beforeEnding_;
};

}  // namespace vertuno::qt
