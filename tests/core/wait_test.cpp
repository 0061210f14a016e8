#include <gtest/gtest.h>

#include "tests/core/fake_host.h"

namespace vertuno::testing {
namespace {

struct Case {
  double asked;
  const char* startupFlag;
  const char* fastHold;
  int interval;
};

TEST(Wait, IntervalFollowsTheStartupAndFastFlags) {
  const Case cases[] = {
      {0.001, "", "", 51},    {0.15, "", "", 200},    {0.2, "", "", 250},    {0.7, "", "", 750},
      {1, "", "", 1050},      {3, "", "", 3050},      {0, "", "", 50},       {0.001, "w", "", 1},
      {0.15, "w", "", 150},   {3, "w", "", 3000},     {0.001, "W", "", 51},  {0.001, "w ", "", 51},
      {0.001, "x11", "", 51}, {0.001, "", "off", 51}, {0.001, "", "On", 51}, {0.0025, "w", "", 2},
      {0.0015, "w", "", 2},   {0.0005, "w", "", 0},
  };
  for (const Case& c : cases) {
    FakeHost host;
    host.state().StartupFlag = c.startupFlag;
    host.state().FastHold = c.fastHold;
    host.machine().Wait(c.asked);
    if (c.interval == 0) {
      EXPECT_TRUE(host.waitIntervals.empty());
    } else {
      ASSERT_EQ(host.waitIntervals.size(), 1u);
      EXPECT_EQ(host.waitIntervals[0], c.interval) << c.asked << " '" << c.startupFlag << "'";
      EXPECT_EQ(host.now(), c.interval * 1000) << "a wait lasts its interval";
    }
    EXPECT_FALSE(host.waitTimerArmed());
    EXPECT_EQ(host.state().Timer1Interval, 0);
  }
}

TEST(Wait, FastModeReturnsAtOnceWithoutDispatchingEvents) {
  FakeHost host;
  host.state().FastHold = "on";
  bool ran = false;
  host.at(0, [&ran](Machine&) { ran = true; });
  for (double s : {0.001, 1.0, 3.0}) host.machine().Wait(s);
  EXPECT_EQ(host.now(), 0);
  EXPECT_EQ(host.dispatches, 0);
  EXPECT_FALSE(ran);
}

TEST(Wait, HandlersRunInsideAWaitInArrivalOrder) {
  FakeHost host;
  std::vector<int> order;
  host.at(0.03, [&order](Machine&) { order.push_back(2); });
  host.at(0.01, [&order](Machine&) { order.push_back(1); });
  host.at(0.5, [&order](Machine&) { order.push_back(3); });
  host.machine().Wait(0.2);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(host.now(), 250'000);
}

TEST(Wait, TheInnermostOfNestedWaitsGoverns) {
  FakeHost host;
  double innerStart = -1;
  host.at(0.5, [&](Machine& m) {
    innerStart = host.seconds();
    m.Wait(1);
  });
  host.machine().Wait(3);
  EXPECT_DOUBLE_EQ(innerStart, 0.5);
  EXPECT_DOUBLE_EQ(host.seconds(), 0.5 + 1.05);
  EXPECT_FALSE(host.waitTimerArmed());
  EXPECT_EQ(host.state().Timer1Interval, 0);
}

TEST(Wait, AnInnerWaitThatOverrunsTheOuterOneStillEndsBoth) {
  FakeHost host;
  host.at(0.1, [](Machine& m) { m.Wait(3); });
  host.machine().Wait(0.2);
  EXPECT_DOUBLE_EQ(host.seconds(), 0.1 + 3.05);
}

}  // namespace
}  // namespace vertuno::testing
