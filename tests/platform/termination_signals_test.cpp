#include <gtest/gtest.h>

#include <poll.h>

#include <csignal>

#include "posix/termination_signals.h"

namespace vertuno::testing {
namespace {

bool readableWithin(int fd, int milliseconds) {
  pollfd watched{fd, POLLIN, 0};
  return ::poll(&watched, 1, milliseconds) == 1;
}

TEST(TerminationSignals, EachEndingSignalWakesTheLoopAndIsReadOnce) {
  posix::TerminationSignals endings;
  ASSERT_TRUE(endings.catchSignals());
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    std::raise(signal);
    std::raise(signal);
    EXPECT_TRUE(readableWithin(endings.descriptor(), 5000)) << signal;
    endings.drain();
    EXPECT_FALSE(readableWithin(endings.descriptor(), 0)) << "drained, the loop is not woken again";
  }
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_DFL);
}

}  // namespace
}  // namespace vertuno::testing
