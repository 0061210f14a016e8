#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <random>

#include "game/numeric_text.h"
#include "tests/qt/front_end_fixture.h"

namespace vertuno::qt::testing {
namespace {

using Storm = FrontEnd;

long number(const std::string& text) { return static_cast<long>(readNumber(text).value_or(-1e9)); }

// Thousands of random presses, clicks, double-clicks, right clicks and drags aimed at every
// hot spot and at the bare cabinet, landing in the middle of plays, payouts, menus, message
// boxes and demos.
TEST_F(Storm, FranticInputNeverBreaksTheMachine) {
  folder.write("data1.ini", "5000\r\n");
  machine.Form_Load();
  answerMessageBoxesWith(QStringLiteral("Да"));
  countAndClosePopups();

  std::mt19937 chance(77);
  const char* spots[] = {"Label1", "Label1", "Label1", "Label3", "Label7", "Label8", "Label8"};
  constexpr int Events = 5000;
  int fired = 0, demos = 0, playsSeen = 0;
  bool wasBusy = false;
  long lowestPurse = 20;
  auto strike = [&] {
    ++fired;
    lowestPurse = std::min(lowestPurse, number(machine.state().PlayerCoins));
    const bool busy = machine.state().PlayBusy == "1";
    playsSeen += busy && !wasBusy;
    wasBusy = busy;
    const unsigned pick = chance() % 100;
    if (pick < 55) {
      const QPoint at = spot(spots[chance() % std::size(spots)]);
      if (chance() % 3 == 0) {
        QTest::mouseDClick(&window, Qt::LeftButton, {}, at);
      } else {
        QTest::mouseClick(&window, chance() % 5 == 0 ? Qt::RightButton : Qt::LeftButton, {}, at);
      }
    } else if (pick < 70) {
      QTest::mousePress(&window, Qt::LeftButton, {}, spot("Label8"));
    } else if (pick < 80) {
      QTest::mouseRelease(&window, Qt::LeftButton, {}, spot("Label8"));
    } else if (pick < 86) {
      QTest::mousePress(&window, Qt::RightButton, {}, QPoint(30, 200));
    } else if (pick < 94) {
      QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(30, 200));
      QTest::mouseMove(&window, QPoint(34, 205));
      QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(34, 205));
    } else if (pick < 98) {
      if (info().isVisible()) info().findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    } else if (demos < 2 && fired > 4000) {  // a demo over a busy play freezes it for minutes
      ++demos;
      QTest::mouseDClick(&window, Qt::LeftButton, {}, spot("Label11"));
    }
  };
  // Each event is a timer of its own, so events keep landing inside the plays, payouts and
  // demos that earlier events started.
  for (int i = 0; i < Events; ++i) QTimer::singleShot(i * 10, &window, strike);
  // Once the storm is over, whatever it left running is hurried to its end.
  QTimer hurry;
  QObject::connect(&hurry, &QTimer::timeout, &window, [&] { machine.Label8_MouseDown(); });
  QTimer::singleShot(Events * 10 + 10, &window, [&] { hurry.start(5); });
  QElapsedTimer clock;
  clock.start();
  while ((fired < Events || !machine.state().PlayBusy.empty() ||
          machine.state().CabinetFace != Face::NormalFace) && clock.elapsed() < 240'000) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  hurry.stop();
  ASSERT_EQ(fired, Events) << "the storm did not finish";

  EXPECT_GE(lowestPurse, 0) << "the purse went below zero";
  EXPECT_GE(number(machine.state().PlayerCoins), 0);
  EXPECT_GT(playsSeen, 10) << "plays were made";

  // The window still answers at once.
  bool answered = false;
  QTimer::singleShot(0, &window, [&] { answered = true; });
  clock.restart();
  while (!answered && clock.elapsed() < 1000) QCoreApplication::processEvents();
  EXPECT_TRUE(answered);

  // Every coin is accounted for: counted plays add to the machine, counted prizes leave it.
  const long money = number(machine.info().MachineMoney);
  EXPECT_EQ(money, 5000 + number(machine.state().CoinsInSinceStart) -
                       number(machine.state().CoinsWonSinceStart));
  machine.SaveStatic();
  EXPECT_EQ(folder.read("data1.ini"), std::to_string(money) + "\r\n");
  std::printf("storm: %d events, at least %d plays (%s counted), %d demos, %d menus\n", fired,
              playsSeen, machine.state().CoinsInSinceStart.c_str(), demos, popups);
}

}  // namespace
}  // namespace vertuno::qt::testing
