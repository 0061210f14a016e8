#include <gtest/gtest.h>

#include <poll.h>

#include <csignal>

#include "posix/termination_signals.h"

namespace vertuno::testing {
namespace {

TEST(TerminationSignals, EachEndingSignalWakesTheLoopAndIsReadOnce) {
  posix::TerminationSignals endings;
  ASSERT_TRUE(endings.catchSignals());
  pollfd watched{endings.descriptor(), POLLIN, 0};
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    std::raise(signal);
    std::raise(signal);
    EXPECT_EQ(::poll(&watched, 1, 5000), 1) << signal;
    endings.drain();
    EXPECT_EQ(::poll(&watched, 1, 0), 0) << "drained, the loop is not woken again";
    std::signal(signal, SIG_DFL);
  }
}

}  // namespace
}  // namespace vertuno::testing
