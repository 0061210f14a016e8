#include <cstdio>

#include "game/numeric_text.h"
#include "machine/machine.h"
#include "stats/totals_file.h"

namespace vertuno {

namespace {

constexpr const char* FreshMachineMoney = "1000";

}  // namespace

InfoFields& Machine::info() {
  if (!state_.InfoLoaded) loadInfoWindow();
  return state_.Info;
}

void Machine::loadInfoWindow() {
  state_.InfoLoaded = true;
  state_.Info = InfoFields{};
  state_.Info.CoinsInserted = state_.CoinsInSinceStart;
  state_.Info.CoinsWon = state_.CoinsWonSinceStart;
  OpenStatic();
  view_.changed(Change::InfoWindow);
}

void Machine::OpenStatic() {
  // The file is older than money a failed save could not write.
  if (unsaved_) {
    setMachineMoney(unsaved_->money);
    return;
  }
  // A missing, unreadable or non-numeric file would leave the machine with no money to count,
  // silently ending every prize; such a machine starts fresh instead.
  const auto bytes = platform_.readFile(platform_.totalsFilePath(), LargestTotalsFile);
  auto text = bytes ? totalsText(*bytes) : std::nullopt;
  if (!text || !isPlausibleMoney(*text)) text = FreshMachineMoney;
  setMachineMoney(*text);
}

std::string Machine::moneyToKeep() { return refillPending_ ? RefillLevel : info().MachineMoney; }

void Machine::SaveStatic() {
  const std::string money = moneyToKeep();
  if (platform_.totalsFilePath().empty()) return;
  if (const auto error = platform_.replaceFile(platform_.totalsFilePath(), totalsFileBytes(money))) {
    unsaved_ = UnsavedMoney{money, error.message()};
  } else {
    unsaved_.reset();
  }
}

// Every close of the info window saves, so an unloaded window has nothing new to keep.
void Machine::saveWithoutViews() {
  if (platform_.totalsFilePath().empty()) return;
  if (state_.InfoLoaded) {
    platform_.replaceFile(platform_.totalsFilePath(), totalsFileBytes(moneyToKeep()));
  } else if (unsaved_) {
    platform_.replaceFile(platform_.totalsFilePath(), totalsFileBytes(unsaved_->money));
  }
}

bool Machine::reportMoneyUnsaved() {
  if (!unsaved_) return false;
  std::fprintf(stderr, "vertuno: the machine's money (%s) could not be saved to %s: %s\n", unsaved_->money.c_str(),
               platform_.totalsFilePath().c_str(), unsaved_->reason.c_str());
  return true;
}

bool Machine::warnIfMoneyUnsaved() {
  if (!reportMoneyUnsaved()) return false;
  const std::string path = platform_.totalsFilePath();
  ask("Не удалось сохранить деньги автомата в файл\r\n" + path +
          "\r\nДеньги, заработанные с последнего сохранения, будут потеряны.",
      "Вертуно", MessageStyle::WarningOk);
  return true;
}

void Machine::endProgram() { platform_.endProgram(warnIfMoneyUnsaved() ? 1 : 0); }

// Takings follow the machine's money; a text that holds no number leaves them as they were.
void Machine::setMachineMoney(std::string text) {
  state_.Info.MachineMoney = std::move(text);
  if (auto money = readNumber(state_.Info.MachineMoney)) state_.Info.Takings = writeNumber(*money - 1000);
  view_.changed(Change::InfoWindow);
}

bool Machine::addToMachineMoney(double delta) {
  auto money = readNumber(info().MachineMoney);
  if (!money) return false;
  setMachineMoney(writeNumber(*money + delta));
  return true;
}

void Machine::Command1_Click() {
  SaveStatic();
  closeInfoWindow();
}

void Machine::closeInfoWindow() {
  if (!state_.InfoLoaded) return;
  Form2_QueryUnload();
  Form2_Unload();
}

void Machine::Form2_QueryUnload() { SaveStatic(); }

void Machine::Form2_Unload() {
  SaveStatic();
  state_.InfoLoaded = false;
  state_.Info = InfoFields{};
  view_.hideInfoWindow();
  view_.changed(Change::InfoWindow);
}

void Machine::Form2_Terminate() { SaveStatic(); }

void Machine::Info_Click() {
  SaveStatic();
  showInfoWindow();
}

void Machine::showInfoWindow() {
  info();
  view_.showInfoWindow();
}

void Machine::mnuAbout_Click() { view_.showAboutWindow(); }

void Machine::mnuExit_Click() {
  SaveStatic();
  endProgram();
}

}  // namespace vertuno
