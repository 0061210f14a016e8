#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <ctime>
#include <utility>

#include "machine/outlines.h"
#include "qt/cabinet_faces.h"
#include "tests/qt/front_end_fixture.h"

namespace vertuno::qt::testing {
namespace {

// The processor time of the whole process, every thread included.
double processorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

using MachineWindowTest = FrontEnd;

TEST_F(MachineWindowTest, StartingOverBringsBackTheNormalFaceAndOutline) {
  machine.Form_Load();
  machine.state().CabinetFace = Face::DemoFace;
  view.changed(Change::Face);
  EXPECT_EQ(window.mask(), outlineRegion(DemoOutline));
  EXPECT_TRUE(window.mask().contains(QPoint(5, 180))) << "the man reaches out to x 2";
  machine.state().PlayerCoins = "0";
  answerMessageBoxesWith(QStringLiteral("Да"));
  machine.Label1_Click();
  EXPECT_EQ(window.mask(), outlineRegion(NormalOutline));
  EXPECT_EQ(machine.state().CabinetFace, Face::NormalFace);
  EXPECT_EQ(text(QStringLiteral("Label2")).text(), QStringLiteral("20"));
  ASSERT_EQ(messageTexts.size(), 1);
  EXPECT_EQ(messageTexts[0], QStringLiteral("Вы проиграли все деньги.\nНачать сначала?"));
  EXPECT_EQ(buttonTexts, (QStringList{QStringLiteral("Да"), QStringLiteral("Нет")}));
}

TEST_F(MachineWindowTest, ClosedByTheDesktopInTheMiddleOfAPayoutItSavesAndEndsAtOnce) {
  folder.write("data1.ini", "512\r\n");
  machine.Form_Load();
  machine.Label7_DblClick();
  QTimer::singleShot(1500, &window, [this] {
    machine.info().MachineMoney = "640";  // what the machine counted by then
    QCloseEvent close;                    // as the desktop's close request arrives
    QApplication::sendEvent(&window, &close);
  });
  QElapsedTimer clock;
  clock.start();
  EXPECT_THROW(machine.Label1_Click(), ProgramEnded);
  EXPECT_LT(clock.elapsed(), 5000) << "a 200-coin payout takes 30 s";
  EXPECT_EQ(folder.read("data1.ini"), "640\r\n");
}

TEST_F(MachineWindowTest, AWaitLastsItsIntervalAndSleepsMeanwhile) {
  machine.Form_Load();
  QElapsedTimer clock;
  std::vector<qint64> lengths;
  for (int i = 0; i < 10; ++i) {
    clock.start();
    machine.Wait(0.001);
    lengths.push_back(clock.nsecsElapsed());
  }
  // Never short; how little it overshoots on a shared machine is the benchmark's to tell.
  for (qint64 ns : lengths) EXPECT_GE(ns, 51'000'000);
  const double before = processorSeconds();
  clock.start();
  machine.Wait(0.95);
  EXPECT_GE(clock.elapsed(), 1000);
  EXPECT_LT(processorSeconds() - before, 0.1) << "a wait blocks instead of spinning";
}

TEST_F(MachineWindowTest, TheMenuKeyAndShiftF10OpenTheMachineMenuUnderTheBoard) {
  machine.Form_Load();
  for (const auto& [key, modifiers] :
       {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
    QPoint shownAt;
    QTimer::singleShot(0, [&shownAt] {  // inside the menu's own loop
      if (QWidget* menu = QApplication::activePopupWidget()) {
        shownAt = menu->pos();
        menu->close();
      }
    });
    QTest::keyClick(&window, key, modifiers);
    EXPECT_EQ(shownAt, window.mapToGlobal(QPoint(machine_window::MenuKeyPoint.x, machine_window::MenuKeyPoint.y)));
  }
  QTest::keyClick(&window, Qt::Key_F10);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "F10 alone opens nothing";
}

TEST_F(MachineWindowTest, ScreenReadersFindTheButtonsAndTheTextsButNotTheHiddenSpots) {
  machine.Form_Load();
  for (const char* name : {"Label1", "Label3", "Label8"}) {
    QAccessibleInterface* spot = QAccessible::queryAccessibleInterface(window.findChild<QWidget*>(name));
    ASSERT_NE(spot, nullptr);
    EXPECT_EQ(spot->role(), QAccessible::Button) << name;
    EXPECT_FALSE(spot->text(QAccessible::Name).isEmpty()) << name;
    EXPECT_FALSE(spot->text(QAccessible::Description).isEmpty()) << name;
  }
  for (const char* name : {"Label7", "Label11"}) EXPECT_EQ(window.findChild<QWidget*>(name), nullptr) << name;
  // A press from the screen reader is a click: the rules panel opens the statistics.
  auto* rules = QAccessible::queryAccessibleInterface(window.findChild<QWidget*>("Label3"))->actionInterface();
  ASSERT_NE(rules, nullptr);
  EXPECT_TRUE(rules->actionNames().contains(QAccessibleActionInterface::pressAction()));
  rules->doAction(QAccessibleActionInterface::pressAction());
  ASSERT_TRUE(QTest::qWaitFor([this] { return machine.state().InfoLoaded; }, 2000));
  EXPECT_TRUE(info().isVisible());
  // The board reads out what it shows.
  auto* board = QAccessible::queryAccessibleInterface(window.findChild<QWidget*>(QStringLiteral("Board")));
  EXPECT_EQ(board->text(QAccessible::Name), QStringLiteral("Табло: - - -"));
  machine.tablo("777", "0");
  EXPECT_EQ(board->text(QAccessible::Name), QStringLiteral("Табло: 7 7 7"));
  QAccessibleInterface* purse = QAccessible::queryAccessibleInterface(&text(QStringLiteral("Label2")));
  EXPECT_EQ(purse->text(QAccessible::Name), QStringLiteral("20"));
  EXPECT_EQ(purse->text(QAccessible::Description), QStringLiteral("Монеты игрока"));
}

}  // namespace
}  // namespace vertuno::qt::testing
