#include <gtest/gtest.h>

#include "machine/cabinet.h"
#include "machine/outlines.h"
#include "tests/core/fake_host.h"
#include "tests/core/temp_folder.h"

namespace vertuno::testing {
namespace {

using enum MouseButton;

// Points of the machine window, at 96 dpi.
constexpr Point Slot{100, 140};       // Label1, the play
constexpr Point Rules{60, 150};       // Label3, the statistics
constexpr Point Force{44, 28};        // Label7, a forced 777 on a double-click
constexpr Point Tray{90, 225};        // Label8, held for speed
constexpr Point PurseText{70, 312};   // Label2
constexpr Point PrizeLine{84, 274};   // Label5, shown even while empty
constexpr Point BannerText{84, 258};  // Label4, hidden until a prize
constexpr Point BoardCell{84, 98};    // Tab2
constexpr Point BareCabinet{30, 200};
constexpr Point OutsideOutline{10, 10};

class Input : public ::testing::Test {
 protected:
  void SetUp() override { host.machine().Form_Load(); }
  FakeHost host;
};

TEST_F(Input, AClickIsALeftPressAndReleaseInsideTheHotSpot) {
  host.drawPlay(1, 2, 3, 4);
  host.click(Slot);
  EXPECT_EQ(host.sounds.size(), 1u) << "a click plays";
  host.press(Left, Slot);
  host.release(Left, BareCabinet);
  host.press(Right, Slot);
  host.release(Right, Slot);
  EXPECT_EQ(host.sounds.size(), 1u) << "let go outside, or with the right button: no click";
  EXPECT_EQ(host.menuPopups, 0) << "a hot spot takes its right press";

  host.machine().Label3_Click();
  host.machine().Command1_Click();
  host.input({.kind = InputKind::Activate, .hotSpot = "Label3"});
  EXPECT_TRUE(host.infoVisible) << "a screen reader's press is a click";
  host.input({.kind = InputKind::Activate, .hotSpot = "Label7"});
  EXPECT_NE(host.state().Force777, "1") << "a spot a screen reader does not see takes no press";
}

TEST_F(Input, AHotSpotHearsItsReleaseWhereverTheButtonIsLetGo) {
  host.press(Right, Tray);
  EXPECT_EQ(host.state().FastHold, "on");
  host.move(Right, OutsideOutline);
  host.release(Right, OutsideOutline);
  EXPECT_EQ(host.state().FastHold, "off");
  EXPECT_TRUE(host.handedOver.empty());
}

TEST_F(Input, TheSecondPressOfADoubleClickIsTheDoubleClickAlone) {
  host.drawPlay(1, 2, 3, 4);
  host.click(Slot);
  host.doubleClick(Slot);
  host.release(Left, Slot);
  EXPECT_EQ(host.sounds.size(), 1u) << "no second play";

  host.click(Force);
  EXPECT_NE(host.state().Force777, "1");
  host.doubleClick(Force);
  host.release(Left, Force);
  EXPECT_EQ(host.state().Force777, "1");

  host.doubleClick(BareCabinet);  // elsewhere the second press is a press
  host.move(Left, {BareCabinet.x + 5, BareCabinet.y});
  EXPECT_EQ(host.handedOver.size(), 1u);
}

TEST_F(Input, TextsAndTheBoardKeepTheirPressesAndOnlyTheBareCabinetOpensTheMenu) {
  for (Point kept : {PurseText, PrizeLine, BoardCell}) {
    host.press(Right, kept);
    host.release(Right, kept);
    host.press(Left, kept);
    host.move(Left, {kept.x + 9, kept.y + 9});
    host.release(Left, kept);
  }
  EXPECT_EQ(host.menuPopups, 0);
  EXPECT_TRUE(host.handedOver.empty());

  host.press(Right, OutsideOutline);
  EXPECT_EQ(host.menuPopups, 0) << "outside the outline lies what is behind";
  host.press(Right, BannerText);
  EXPECT_EQ(host.menuPopups, 1) << "a hidden text keeps nothing";
  host.state().PlayerCoinsVisible = false;
  host.press(Right, PurseText);
  EXPECT_EQ(host.menuPopups, 2);
  host.press(Middle, BareCabinet);
  EXPECT_EQ(host.menuPopups, 2);
  EXPECT_TRUE(host.state().InfoLoaded) << "reaching the menu loads the info window";
}

TEST_F(Input, TheLeftButtonAloneDragsTheCabinetAndThePressHandsItOverOnce) {
  host.click(BareCabinet);
  host.press(Left, BareCabinet);
  host.move(static_cast<MouseButton>(3), {BareCabinet.x + 3, BareCabinet.y + 3});
  EXPECT_TRUE(host.handedOver.empty()) << "a click, or left and right together, does not drag";
  host.move(Left, {BareCabinet.x + 15, BareCabinet.y + 30});
  host.move(Left, {BareCabinet.x + 20, BareCabinet.y + 40});
  ASSERT_EQ(host.handedOver.size(), 1u);
  EXPECT_EQ(host.handedOver[0], (Point{15, 30}));
  host.release(Left, BareCabinet);
  EXPECT_EQ(host.dragEnds, 1);

  // Where nobody moves windows, the cabinet follows each motion itself; the pointer then lies
  // where it was pressed again.
  host.desktopMoves = false;
  host.press(Left, BareCabinet);
  host.move(Left, {BareCabinet.x + 15, BareCabinet.y + 30});
  host.move(Left, {BareCabinet.x - 5, BareCabinet.y + 2});
  host.release(Left, BareCabinet);
  host.move(None, {BareCabinet.x + 20, BareCabinet.y + 20});
  EXPECT_EQ(host.windowMoves, (std::vector<Point>{{15, 30}, {-5, 2}}));
  EXPECT_EQ(host.dragEnds, 2);
}

TEST_F(Input, APressAfterALostReleaseStartsAfresh) {
  host.press(Left, BareCabinet);
  host.move(Left, {BareCabinet.x + 9, BareCabinet.y});
  host.move(Left, {BareCabinet.x + 40, BareCabinet.y});  // the desktop's move let go; this window never heard it
  host.move(None, {BareCabinet.x + 50, BareCabinet.y});
  host.move(Left, {BareCabinet.x + 60, BareCabinet.y});  // a stale report of the button held
  host.drawPlay(1, 2, 3, 4);
  host.click(Slot);
  EXPECT_EQ(host.sounds.size(), 1u);
  EXPECT_EQ(host.dragEnds, 1);
  EXPECT_EQ(host.handedOver.size(), 1u);
}

TEST_F(Input, APressOnTheCabinetBringsItInFrontAndEscapeClosesASideWindow) {
  TempFolder folder;
  host.totalsPath = folder.file("data1.ini");
  host.machine().Label3_Click();
  host.machine().mnuAbout_Click();
  host.press(Left, OutsideOutline);
  EXPECT_EQ(host.raises, 0);
  for (Point on : {Rules, PurseText, BareCabinet}) host.click(on);
  EXPECT_EQ(host.raises, 3);

  host.input({.kind = InputKind::Escape, .window = WindowId::About});
  EXPECT_FALSE(host.aboutVisible);
  EXPECT_TRUE(host.infoVisible);
  host.input({.kind = InputKind::Escape, .window = WindowId::Info});
  EXPECT_FALSE(host.infoVisible);
  EXPECT_FALSE(host.state().InfoLoaded);
  EXPECT_EQ(folder.read("data1.ini"), "1000\r\n") << "closing the info window saves";
}

// A touch screen's press and hold is the right button where the finger went down.
TEST_F(Input, AFingerHeldStillIsTheRightButtonWhereItWentDown) {
  host.desktopMoves = false;
  host.menuOpenSeconds = 1;
  host.at(0.5, [this](Machine&) {  // the finger moves and lifts while the menu is open
    host.move(Left, {BareCabinet.x + 20, BareCabinet.y});
    host.release(Left, {BareCabinet.x + 20, BareCabinet.y});
  });
  host.press(Left, BareCabinet);
  host.input({.kind = InputKind::LongPress});
  EXPECT_EQ(host.menuPopups, 1);
  EXPECT_EQ(host.menuAt, std::nullopt) << "at the finger";
  EXPECT_TRUE(host.windowMoves.empty()) << "a finger held still drags nothing";
  host.menuOpenSeconds = 0;

  host.press(Left, Slot);
  host.input({.kind = InputKind::LongPress});
  host.release(Left, Slot);
  EXPECT_TRUE(host.sounds.empty()) << "a held slot makes no click";
  host.press(Left, Tray);
  host.input({.kind = InputKind::LongPress});
  EXPECT_EQ(host.state().FastHold, "on");
  host.release(Left, Tray);
  EXPECT_EQ(host.state().FastHold, "off");

  host.press(Left, BareCabinet);
  host.move(Left, {BareCabinet.x + 3, BareCabinet.y});
  host.input({.kind = InputKind::LongPress});
  host.release(Left, {BareCabinet.x + 3, BareCabinet.y});
  host.input({.kind = InputKind::LongPress});
  EXPECT_EQ(host.menuPopups, 1) << "a finger that dragged, or none at all, is no press and hold";
}

// A finger is the left button with a touch screen's gestures: a tap soon after another is a
// double tap, one held still in its slop is a long press, one that leaves the slop drags.
TEST_F(Input, AFingerTellsATapADoubleTapALongPressAndADragApart) {
  using enum InputKind;
  const auto tap = [this](Point at) {
    host.finger(FingerDown, at);
    host.finger(FingerUp, at);
  };
  tap(Force);
  host.runUntil(0.45);
  tap(Force);
  EXPECT_NE(host.state().Force777, "1") << "too late for a double tap";
  host.runUntil(0.8);
  tap(Force);
  EXPECT_EQ(host.state().Force777, "1");

  host.desktopMoves = false;
  host.finger(FingerDown, BareCabinet);
  host.finger(FingerMove, {BareCabinet.x + 9, BareCabinet.y});
  EXPECT_TRUE(host.windowMoves.empty()) << "still inside the slop";
  host.runUntil(1.2);
  EXPECT_EQ(host.menuPopups, 0) << "not yet held long enough";
  host.runUntil(1.3);
  EXPECT_EQ(host.menuPopups, 1) << "held long enough, a little off where it went down";
  host.finger(FingerUp, BareCabinet);

  host.finger(FingerDown, BareCabinet);
  host.finger(FingerMove, {BareCabinet.x, BareCabinet.y + 10});
  EXPECT_EQ(host.windowMoves.size(), 1u) << "out of the slop it drags";
  host.runUntil(2);
  host.finger(FingerUp, BareCabinet);
  host.finger(FingerDown, Slot);
  host.finger(FingerUp, Slot);
  host.runUntil(3);
  EXPECT_EQ(host.menuPopups, 1) << "a finger that dragged, or lifted, is no long press";
}

TEST_F(Input, TheMenuKeyOpensTheMachineMenuUnderTheBoard) {
  host.menuChoices = {MenuChoice::About};
  host.input({.kind = InputKind::MenuKey});
  EXPECT_EQ(host.menuAt, machine_window::MenuKeyPoint);
  EXPECT_TRUE(host.aboutVisible);
  EXPECT_TRUE(host.state().InfoLoaded) << "reaching the menu loads the info window";
  host.press(Right, BareCabinet);
  EXPECT_EQ(host.menuAt, std::nullopt) << "the right button's menu is at the pointer";
}

// A demo played inside the menu's loop would leave the menu deaf to the player until its end.
TEST_F(Input, TheMenuClosesWhenTheDemoStartsSoAChoiceActsAtOnce) {
  TempFolder folder;
  host.totalsPath = folder.file("data1.ini");
  host.startIdleTimer();
  host.menuOpenSeconds = 60;
  host.at(20, [this](Machine&) { host.press(Right, BareCabinet); });
  host.at(30, [this](Machine& m) {
    EXPECT_EQ(m.state().CabinetFace, Face::DemoFace);
    EXPECT_FALSE(host.menuShown) << "the demo closed the menu";
    host.menuChoices = {MenuChoice::Exit};
    host.menuOpenSeconds = 1;
    host.press(Right, BareCabinet);
  });
  EXPECT_THROW(host.runUntil(200), ProgramEnded);
  EXPECT_NEAR(host.seconds(), 31, 1e-6) << "\"Выход\" ends the demo at once";
  ASSERT_GE(host.outlines.size(), 2u);
  EXPECT_NEAR(host.outlines[1].at / 1e6, 0.001 + 9 * 2.888, 1e-6) << "the demo came on its ninth idle tick";
  EXPECT_EQ(host.menuPopups, 2);
}

}  // namespace
}  // namespace vertuno::testing
