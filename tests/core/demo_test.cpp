#include <gtest/gtest.h>

#include <map>
#include <set>

#include "machine/outlines.h"
#include "tests/core/fake_host.h"

namespace vertuno::testing {
namespace {

bool isOutline(const std::vector<Point>& points, std::span<const Point> expected) {
  return std::equal(points.begin(), points.end(), expected.begin(), expected.end(),
                    [](Point a, Point b) { return a.x == b.x && a.y == b.y; });
}

class Demo : public ::testing::Test {
 protected:
  void SetUp() override { host.machine().Form_Load(); }
  // A demo of this many plays, each losing, with pauses drawn from these values.
  void scriptDemo(int plays, double pauseDraw = 0) {
    host.draws.push_back((plays - 3 + 0.5) / 48);
    for (int i = 0; i < plays; ++i) {
      host.drawPlay(1, 2, 3, 4);
      host.draws.push_back(pauseDraw);
    }
  }
  FakeHost host;
};

TEST_F(Demo, TheManPlaysForFreeThenTheNormalFaceComesBack) {
  std::vector<bool> purseShown;
  std::vector<Face> faces;
  host.at(1.0, [&](Machine& m) {
    purseShown.push_back(m.state().PlayerCoinsVisible);
    faces.push_back(m.state().CabinetFace);
  });
  scriptDemo(5);
  host.machine().Label11_DblClick();
  EXPECT_EQ(purseShown, std::vector<bool>{false});
  EXPECT_EQ(faces, std::vector<Face>{Face::DemoFace});
  EXPECT_TRUE(host.state().PlayerCoinsVisible);
  EXPECT_EQ(host.state().CabinetFace, Face::NormalFace);
  EXPECT_EQ(host.state().PlayerCoins, "20");
  EXPECT_EQ(host.state().CoinsInSinceStart, "5");
  ASSERT_EQ(host.outlines.size(), 3u);
  EXPECT_TRUE(isOutline(host.outlines[1].points, DemoOutline));
  EXPECT_TRUE(isOutline(host.outlines[2].points, NormalOutline));
  EXPECT_EQ(std::count(host.waitIntervals.begin(), host.waitIntervals.end(), 1050), 5);
}

TEST_F(Demo, PausesAndPlayCountsCoverTheirWholeRanges) {
  std::map<int, int> pauses;
  std::set<int> counts;
  for (int seed = 0; seed < 2000; ++seed) {
    FakeHost h;
    h.state().FastHold = "on";  // every wait at once; only the armed intervals count
    const double r = (seed + 0.5) / 2000;
    h.draws.push_back(r);
    counts.insert(static_cast<int>(r * 48 + 3));
    h.state().PlayBusy = "1";  // plays refused: the demo is its pauses alone
    h.machine().Muzik();
  }
  EXPECT_EQ(*counts.begin(), 3);
  EXPECT_EQ(*counts.rbegin(), 50);
  EXPECT_EQ(counts.size(), 48u);

  FakeHost h;
  h.state().PlayBusy = "1";
  h.draws.push_back(0.999);  // fifty plays
  h.machine().Muzik();
  for (int interval : h.waitIntervals) pauses[interval]++;
  EXPECT_EQ(pauses.size(), 3u);
  for (const auto& [interval, n] : pauses) {
    EXPECT_TRUE(interval == 1050 || interval == 2050 || interval == 3050) << interval;
    EXPECT_GT(n, 0);
  }
  EXPECT_GT(pauses[1050], pauses[3050]);
}

TEST_F(Demo, ASecondDemoNeverStartsWhileTheDemoFaceShows) {
  host.at(0.5, [](Machine& m) { m.Label11_DblClick(); });
  host.at(0.6, [](Machine& m) {
    m.state().CoinLeft = 92.5;
    m.state().IdleTicks = "4";
    m.Muzik();
    EXPECT_EQ(m.state().IdleTicks, "0") << "a falling coin still resets the idle count";
    m.state().CoinLeft = ParkedLeft;
  });
  scriptDemo(3);
  host.machine().Muzik();
  EXPECT_EQ(host.outlines.size(), 3u);
  EXPECT_EQ(host.state().CoinsInSinceStart, "3");
}

TEST_F(Demo, ADemoInsideABusyPlayIsOnlyItsPausesAndThePlayResumes) {
  host.at(0.1, [this](Machine& m) {
    const std::deque<double> playDraws = host.draws;
    host.draws = {(4 - 3 + 0.5) / 48, 0.99, 0.99, 0.99, 0.99};  // four refused plays, 3 s pauses
    host.draws.insert(host.draws.end(), playDraws.begin(), playDraws.end());
    m.Label11_DblClick();
  });
  host.drawPlay(1, 2, 3, 4);
  host.machine().Label1_Click();
  EXPECT_EQ(host.state().CoinsInSinceStart, "1") << "the demo's own plays were refused";
  EXPECT_EQ(host.state().PlayerCoins, "19");
  EXPECT_EQ(host.state().Combination, "123");
  EXPECT_GT(host.seconds(), 4 * 3.05);
}

TEST_F(Demo, AnEmptyPurseInADemoStartsOverAndTheRestArePaidPlays) {
  host.state().PlayerCoins = "0";
  host.answers.push_back(Answer::Yes);
  host.draws.push_back((4 - 3 + 0.5) / 48);
  host.draws.push_back(0);  // the first play asks instead of playing; its pause
  for (int i = 0; i < 3; ++i) {
    host.drawPlay(1, 2, 3, 4);
    host.draws.push_back(0);
  }
  std::vector<bool> purseShown;
  host.at(2.0, [&](Machine& m) { purseShown.push_back(m.state().PlayerCoinsVisible); });
  host.machine().Muzik();
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.state().PlayerCoins, "17") << "three paid plays after starting over";
  EXPECT_EQ(purseShown, std::vector<bool>{false});
  EXPECT_TRUE(host.state().PlayerCoinsVisible);
  EXPECT_EQ(host.state().CabinetFace, Face::NormalFace);
}

TEST(IdleTimer, TheNinthIdleTickStartsTheDemo) {
  FakeHost host;
  host.machine().Form_Load();
  host.startIdleTimer();
  host.runUntil(8 * 2.888 + 0.01);
  EXPECT_EQ(host.state().IdleTicks, "8");
  EXPECT_EQ(host.state().CabinetFace, Face::NormalFace);
  host.state().PlayBusy = "1";  // keep the demo short: its plays are refused
  host.draws.push_back(0);      // three plays
  host.runUntil(9 * 2.888 + 0.01);
  ASSERT_EQ(host.outlines.size(), 3u) << "a whole demo ran inside the ninth tick";
  EXPECT_NEAR(host.outlines[1].at / 1e6, 0.001 + 9 * 2.888, 1e-6);
}

TEST(IdleTimer, NoDemoStartsBehindAnOpenQuestionAndTheCountStartsAfreshWhenItCloses) {
  for (const bool emptyPurse : {true, false}) {
    FakeHost host;
    host.machine().Form_Load();
    host.startIdleTimer();
    host.messageBoxOpenSeconds = 60;
    if (emptyPurse) {
      host.state().PlayerCoins = "0";
    } else {
      host.machine().info().MachineMoney = "4";  // with the coin in, a prize of 5 empties it
      host.drawPlay(0, 0, 2, 4);
    }
    host.machine().Label1_Click();
    ASSERT_EQ(host.messages.size(), 1u) << emptyPurse;
    const double closed = host.messages[0].at / 1e6 + 60;
    host.state().PlayBusy = "1";  // the demo that follows is its pauses alone
    host.draws.push_back(0);
    host.runUntil(closed + 40);
    auto demo = std::find_if(host.outlines.begin(), host.outlines.end(),
                             [](const auto& o) { return isOutline(o.points, DemoOutline); });
    ASSERT_NE(demo, host.outlines.end());
    EXPECT_GE(demo->at / 1e6 - closed, 23.104 - 1e-6) << "no demo ran while the box was open";
    EXPECT_EQ(host.messages.size(), 1u) << "the question was asked once";
  }
}

TEST(IdleTimer, ActivityResetsTheCountAndTheNextDemoComesAfterTheLastDemoPlay) {
  FakeHost host;
  host.machine().Form_Load();
  host.startIdleTimer();
  for (double t = 20; t < 100; t += 20) host.clickAt(t);
  host.runUntil(100);
  EXPECT_EQ(host.outlines.size(), 1u) << "a click every 20 s keeps the demo away";

  FakeHost idle;
  idle.machine().Form_Load();
  idle.startIdleTimer();
  idle.draws.push_back(0.5 / 48);  // three losing plays, each followed by a 1 s pause
  for (int i = 0; i < 3; ++i) {
    idle.drawPlay(1, 2, 3, 4);
    idle.draws.push_back(0);
  }
  idle.runUntil(40);
  ASSERT_GE(idle.outlines.size(), 3u);
  const double firstDemo = idle.outlines[1].at / 1e6;
  EXPECT_NEAR(firstDemo, 0.001 + 9 * 2.888, 1e-6);
  const double lastPlay = idle.sounds.back().at / 1e6;
  idle.runUntil(lastPlay + 60);
  ASSERT_GE(idle.outlines.size(), 4u);
  const double secondDemo = idle.outlines[3].at / 1e6;
  EXPECT_GE(secondDemo - lastPlay, 23.104 - 1e-6);
  EXPECT_LE(secondDemo - lastPlay, 25.992 + 1e-6);
}

}  // namespace
}  // namespace vertuno::testing
