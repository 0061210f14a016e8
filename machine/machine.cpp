#include "machine/machine.h"

#include <utility>

#include "game/numeric_text.h"

namespace vertuno {

Machine::Machine(Platform& platform, View& view) : platform_(platform), view_(view) {}

void Machine::Form_Load() {
  setFace(Face::NormalFace);
  state_.PlayerCoins = "20";
  view_.changed(Change::PlayerCoins);
  state_.StartupFlag = "w";
  view_.showMachineWindow();
  Wait(0.001);
  state_.StartupFlag.clear();
}

bool Machine::Form_MouseMove(MouseButton held) { return held == MouseButton::Left; }

void Machine::Form_MouseDown(MouseButton button) {
  if (button == MouseButton::Right) popUpMainMenu(std::nullopt);
}

void Machine::popUpMainMenu(std::optional<Point> at) {
  info();  // the menu belongs to the info window, so reaching it loads that window
  menuOpen_ = true;
  const MenuChoice choice = view_.popupMainMenu(at);
  menuOpen_ = false;
  switch (choice) {
    case MenuChoice::Statistics: Info_Click(); break;
    case MenuChoice::About: mnuAbout_Click(); break;
    case MenuChoice::Exit: mnuExit_Click(); break;
    case MenuChoice::None: break;
  }
  if (std::exchange(idleTickAfterMenu_, false)) Timer2_Timer();
}

// Closed by the desktop: nothing may play on behind a window that is gone, so this saves and
// ends at once, as "Выход" does, however deep in a wait it comes.
void Machine::Form_Unload() { mnuExit_Click(); }

void Machine::Form_Terminate() { SaveStatic(); }

void Machine::closeSideWindow(WindowId window) {
  if (window == WindowId::Info) closeInfoWindow();
  if (window == WindowId::About) view_.hideAboutWindow();
}

void Machine::Label3_Click() { showInfoWindow(); }

void Machine::Label7_DblClick() { state_.Force777 = "1"; }

void Machine::Label8_MouseDown() { state_.FastHold = "on"; }

void Machine::Label8_MouseUp() { state_.FastHold = "off"; }

void Machine::Label11_DblClick() { Muzik(); }

bool Machine::addTo(std::string& field, double delta) {
  auto value = readNumber(field);
  if (!value) return false;
  field = writeNumber(*value + delta);
  return true;
}

// A demo started behind a question would play on under it, or ask it a second time.
Answer Machine::ask(const std::string& text, const std::string& title, MessageStyle style) {
  ++openMessageBoxes_;
  const Answer answer = view_.messageBox(text, title, style);
  --openMessageBoxes_;
  setIdleTicksToZero();
  return answer;
}

void Machine::setIdleTicksToZero() { state_.IdleTicks = "0"; }

void Machine::setFace(Face face) {
  state_.CabinetFace = face;
  view_.changed(Change::Face);
}

void Machine::setCell(int index, CellPicture picture) {
  state_.Tab[static_cast<std::size_t>(index)] = picture;
  view_.changed(Change::Cells);
}

void Machine::setCells(CellPicture first, CellPicture second, CellPicture third) {
  state_.Tab = {first, second, third};
  view_.changed(Change::Cells);
}

}  // namespace vertuno
