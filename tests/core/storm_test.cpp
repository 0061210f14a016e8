#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "game/numeric_text.h"
#include "machine/cabinet.h"
#include "tests/core/fake_host.h"
#include "tests/core/temp_folder.h"

namespace vertuno::testing {
namespace {

using enum MouseButton;

long number(const std::string& text) { return static_cast<long>(readNumber(text).value_or(-1e9)); }

Point middleOf(const Box& box) { return {box.left + box.width / 2, box.top + box.height / 2}; }

// Thousands of raw presses, releases, double-clicks, motions and Escapes, aimed at every hot
// spot, text and cell, the bare cabinet and past the outline, each at a moment of its own, so
// they land inside the plays, payouts, menus, message boxes and demos earlier ones started.
TEST(Storm, FranticInputNeverBreaksTheMachine) {
  TempFolder folder;
  folder.write("data1.ini", "5000\r\n");
  FakeHost host;
  host.totalsPath = folder.file("data1.ini");
  host.menuOpenSeconds = 0.5;
  Machine& machine = host.machine();
  machine.Form_Load();
  host.state().PlayerCoins = "2";  // soon empty: the question to start over comes into the storm too
  host.startIdleTimer();

  std::vector<Point> targets{{30, 200}, {10, 10}, middleOf(machine_window::BoardBox)};
  for (const HotSpotLayout& spot : machine_window::HotSpots) {
    if (spot.name != "Label11") targets.push_back(middleOf(spot.box));  // its demo comes late, below
  }
  for (const CabinetLabel& text : machine_window::Texts) targets.push_back(middleOf(text.box));
  const Point slot = middleOf(hotSpotNamed("Label1")->box);
  const Point tray = middleOf(hotSpotNamed("Label8")->box);
  for (int i = 0; i < 4; ++i) targets.push_back(slot);  // so that plays come often

  std::mt19937 chance(77);
  constexpr int Events = 5000;
  int fired = 0, demos = 0, playsSeen = 0;
  bool wasBusy = false;
  long lowestPurse = 2;
  const auto strike = [&](Machine&) {
    ++fired;
    lowestPurse = std::min(lowestPurse, number(host.state().PlayerCoins));
    const bool busy = host.state().PlayBusy == "1";
    playsSeen += busy && !wasBusy;
    wasBusy = busy;
    if (host.menuShown) {  // the open menu has the pointer: a press anywhere else closes it
      host.closeMainMenu();
      return;
    }
    const Point at = targets[chance() % targets.size()];
    const unsigned pick = chance() % 100;
    if (pick < 45) {
      host.press(chance() % 5 == 0 ? Right : Left, at);
      host.release(Left, at);
      host.release(Right, at);
    } else if (pick < 55) {
      host.click(at);
      host.doubleClick(at);
      host.release(Left, at);
    } else if (pick < 68) {
      host.press(Left, tray);
    } else if (pick < 78) {
      host.release(Left, tray);
    } else if (pick < 86) {
      const MenuChoice choices[] = {MenuChoice::None, MenuChoice::Statistics, MenuChoice::About};
      host.menuChoices.push_back(choices[chance() % 3]);
      host.press(Right, {30, 200});
      host.release(Right, {30, 200});
    } else if (pick < 94) {
      host.press(Left, at);
      host.move(Left, {at.x + 4, at.y + 5});
      host.release(Left, {at.x + 4, at.y + 5});
    } else if (pick < 99) {
      host.input({.kind = InputKind::Escape, .window = chance() % 2 ? WindowId::Info : WindowId::About});
    } else if (demos < 2 && fired > 4000) {  // a demo over a busy play holds it for minutes
      ++demos;
      host.doubleClick(middleOf(hotSpotNamed("Label11")->box));
    }
  };
  for (int i = 0; i < Events; ++i) host.at(0.01 * i, strike);
  host.runUntil(0.01 * Events);
  host.release(Left, tray);
  ASSERT_EQ(fired, Events);
  EXPECT_TRUE(host.state().PlayBusy.empty()) << "a play never ended";
  EXPECT_EQ(host.state().CabinetFace, Face::NormalFace) << "a demo never ended";

  EXPECT_GE(lowestPurse, 0) << "the purse went below zero";
  EXPECT_GT(playsSeen, 10) << "plays were made";
  EXPECT_GT(host.menuPopups, 10) << "menus were opened";

  // It still plays, and every coin is accounted for: counted plays add to the machine, counted
  // prizes leave it.
  if (host.state().PlayerCoins == "0") host.click(slot);  // the question to start over first
  const std::size_t sounds = host.sounds.size();
  host.click(slot);
  EXPECT_GT(host.sounds.size(), sounds) << "the next click plays";
  const long money = number(machine.info().MachineMoney);
  EXPECT_EQ(money, 5000 + number(host.state().CoinsInSinceStart) - number(host.state().CoinsWonSinceStart));
  machine.SaveStatic();
  EXPECT_EQ(folder.read("data1.ini"), std::to_string(money) + "\r\n");
  std::printf(
      "storm: %d events over %.0f virtual seconds, at least %d plays (%s counted), %d demos, %d menus, "
      "%zu message boxes\n",
      fired, host.seconds(), playsSeen, host.state().CoinsInSinceStart.c_str(), demos, host.menuPopups,
      host.messages.size());
}

}  // namespace
}  // namespace vertuno::testing
