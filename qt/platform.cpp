#include "qt/platform.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "machine/layout.h"
#include "machine/machine.h"
#include "machine/sounds.h"
#include "posix/durable_file.h"
#include "posix/held_file.h"

namespace vertuno::qt {

QtPlatform::QtPlatform(std::string programFolder, std::string totalsFile)
    : programFolder_(std::move(programFolder)),
      totalsFile_(std::move(totalsFile)),
      sounds_(QCoreApplication::applicationName().toStdString()) {
  // A coarse timer may fire early; a wait lasts at least its interval.
  timer1_.setTimerType(Qt::PreciseTimer);
  timer2_.setTimerType(Qt::PreciseTimer);  // a coarse tick may drift toward a whole second
  timer2_.setInterval(machine_window::Timer2IntervalMs);
  timer3_.setInterval(machine_window::Timer3IntervalMs);
  for (const char* sound : sounds::All) sounds_.prepare(programFolder_ + '/' + sound);
}

void QtPlatform::attach(Machine& machine) {
  connect(&timer1_, &QTimer::timeout, this, [&machine] { machine.Timer1_Timer(); });
  connect(&timer2_, &QTimer::timeout, this, [&machine] { machine.Timer2_Timer(); });
}

void QtPlatform::startWindowTimers() {
  timer2_.start();
  timer3_.start();
}

void QtPlatform::pumpEvents() { QCoreApplication::processEvents(); }

// Sleeps in the event loop until something arrives: a wait never spins a processor.
void QtPlatform::waitForEvents() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

void QtPlatform::armWaitTimer(int intervalMs) { timer1_.start(intervalMs); }

void QtPlatform::disarmWaitTimer() { timer1_.stop(); }

void QtPlatform::playSound(const std::string& name) { sounds_.play(programFolder_ + '/' + name); }

void QtPlatform::reseedRandom() { random_.reseed(); }

double QtPlatform::nextRandom() { return random_.next(); }

std::optional<std::string> QtPlatform::readFile(const std::string& path, std::size_t largest) {
  if (totalsHeld_ && path == totalsFilePath()) return posix::readFile(*totalsHeld_, largest);
  return posix::readFile(posix::HeldFile(path), largest);
}

std::error_code QtPlatform::replaceFile(const std::string& path, const std::string& bytes) {
  if (totalsHeld_ && path == totalsFilePath()) return posix::replaceFileDurably(*totalsHeld_, bytes, claim_);
  return posix::replaceFileDurably(posix::HeldFile(path), bytes);
}

void QtPlatform::endProgram(int status) {
  if (beforeEnding_) beforeEnding_();
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace vertuno::qt
