#include "posix/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

namespace vertuno::posix {

namespace {

int signalWriteEnd = -1;

void writeByte(int) {
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalWriteEnd, &byte, 1);  // full: one is there already
  errno = savedErrno;
}

}  // namespace

bool TerminationSignals::catchSignals() {
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  signalWriteEnd = pipe_[1];
  struct sigaction action {};
  action.sa_handler = writeByte;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
  return true;
}

void TerminationSignals::drain() {
  char bytes[64];
  while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
}

}  // namespace vertuno::posix
