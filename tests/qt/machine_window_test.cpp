#include <ctime>

#include <QAccessible>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>

#include "tests/qt/front_end_fixture.h"
#include "qt/cabinet_faces.h"
#include "machine/outlines.h"

namespace vertuno::qt::testing {
namespace {

// The processor time of the whole process, every thread included.
double processorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// A mouse event at a point of the screen, wherever the window has moved meanwhile.
void sendMouse(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(target->mapFromGlobal(global)), QPointF(global), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

using MachineWindowTest = FrontEnd;

TEST_F(MachineWindowTest, StartUpShowsTheNormalFaceCutToItsOutline) {
  machine.Form_Load();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.size(), QSize(128, 378));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("777 - Игра Вертуно"));
  EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(text(QStringLiteral("Label2")).text(), QStringLiteral("20"));
  EXPECT_FALSE(text(QStringLiteral("Label4")).isVisible());
  EXPECT_EQ(machine.state().CabinetFace, Face::NormalFace);
  EXPECT_EQ(window.mask(), outlineRegion(NormalOutline));
  for (QPoint outside : {QPoint(10, 10), QPoint(125, 10), QPoint(5, 200), QPoint(80, 340)}) {
    EXPECT_FALSE(window.mask().contains(outside)) << outside.x() << "," << outside.y();
  }
  for (QPoint inside : {QPoint(60, 200), QPoint(22, 5), QPoint(127, 300), QPoint(43, 342)}) {
    EXPECT_TRUE(window.mask().contains(inside)) << inside.x() << "," << inside.y();
  }
}

TEST_F(MachineWindowTest, DraggingWithTheLeftButtonAloneMovesTheWindowByThePointersDistance) {
  machine.Form_Load();
  window.move(200, 100);
  const QPoint start = window.pos();
  const QPoint grip = start + QPoint(30, 200);
  sendMouse(&window, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
  sendMouse(&window, QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(window.pos(), start) << "a click without movement does nothing";

  sendMouse(&window, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
  sendMouse(&window, QEvent::MouseMove, grip + QPoint(3, 3), Qt::NoButton,
            Qt::LeftButton | Qt::RightButton);
  EXPECT_EQ(window.pos(), start) << "left and right held together do not drag";
  sendMouse(&window, QEvent::MouseMove, grip + QPoint(15, 30), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(window.pos(), start + QPoint(15, 30));
  sendMouse(&window, QEvent::MouseMove, grip + QPoint(10, 20), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(window.pos(), start + QPoint(10, 20));

  // The release is lost; the next press starts afresh from where the pointer is then.
  const QPoint moved = window.pos();
  const QPoint secondGrip = moved + QPoint(60, 300);
  sendMouse(&window, QEvent::MouseButtonPress, secondGrip, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(window.pos(), moved);
  sendMouse(&window, QEvent::MouseMove, secondGrip + QPoint(-5, 7), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(window.pos(), moved + QPoint(-5, 7));
  sendMouse(&window, QEvent::MouseButtonRelease, secondGrip, Qt::LeftButton, Qt::NoButton);
  sendMouse(&window, QEvent::MouseMove, secondGrip + QPoint(20, 20), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(window.pos(), moved + QPoint(-5, 7)) << "after the release the window stays put";
}

TEST_F(MachineWindowTest, APlayOnTheRealWindowTakesACoinAndLandsOnThreeDigits) {
  machine.Form_Load();
  QTimer::singleShot(100, &window, [this] {  // any prize is then paid at full speed
    QTest::mousePress(&window, Qt::LeftButton, {}, spot("Label8"));
  });
  QTest::mouseClick(&window, Qt::LeftButton, {}, spot("Label1"));
  EXPECT_EQ(machine.state().PlayBusy, "");
  const QString purse = text(QStringLiteral("Label2")).text();
  EXPECT_TRUE(purse == QStringLiteral("19") || purse.toInt() > 19) << purse.toStdString();
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Табло: \\d \\d \\d$")).match(board()).hasMatch())
      << board().toStdString();
  EXPECT_EQ(machine.state().Info.CoinsInserted, "1");
}

TEST_F(MachineWindowTest, TheFastButtonPressedDuringAPlayRunsTheRestAtFullSpeed) {
  machine.Form_Load();
  QTest::mouseDClick(&window, Qt::LeftButton, {}, spot("Label7"));
  ASSERT_EQ(machine.state().Force777, "1");
  QTimer::singleShot(100, &window, [this] {
    QTest::mousePress(&window, Qt::LeftButton, {}, spot("Label8"));
  });
  QElapsedTimer clock;
  clock.start();
  QTest::mouseClick(&window, Qt::LeftButton, {}, spot("Label1"));
  EXPECT_LT(clock.elapsed(), 1500) << "a 200-coin payout takes half a minute at normal speed";
  EXPECT_EQ(text(QStringLiteral("Label2")).text(), QStringLiteral("219"));
  EXPECT_TRUE(text(QStringLiteral("Label4")).isVisible());
  EXPECT_EQ(text(QStringLiteral("Label5")).text(), QStringLiteral("200"));
  EXPECT_EQ(text(QStringLiteral("Label6")).text(), QStringLiteral("монет"));
  EXPECT_EQ(board(), QStringLiteral("Табло: 7 7 7"));
}

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

TEST_F(MachineWindowTest, DecliningToStartOverSavesAndEnds) {
  machine.Form_Load();
  machine.state().PlayerCoins = "0";
  answerMessageBoxesWith(QStringLiteral("Нет"));
  EXPECT_THROW(machine.Label1_Click(), ProgramEnded);
  EXPECT_EQ(folder.read("data1.ini"), "1000\r\n");
}

TEST_F(MachineWindowTest, ClosedByTheDesktopInTheMiddleOfAPayoutItSavesAndEndsAtOnce) {
  folder.write("data1.ini", "512\r\n");
  machine.Form_Load();
  machine.Label7_DblClick();
  QTimer::singleShot(1500, &window, [this] {
    machine.info().MachineMoney = "640";  // what the machine counted by then
    QCloseEvent close;  // as the desktop's close request arrives
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
