#include <algorithm>
#include <cmath>

#include "game/judging.h"
#include "game/numeric_text.h"
#include "machine/machine.h"
#include "machine/sounds.h"

namespace vertuno {

namespace {

int drawBelow(double r, int count) { return std::clamp(static_cast<int>(std::floor(r * count)), 0, count - 1); }

char digitChar(int digit) { return static_cast<char>('0' + digit); }

}  // namespace

void Machine::Label1_Click() {
  setIdleTicksToZero();
  if (state_.PlayBusy == "1") return;
  if (auto coins = readNumber(state_.PlayerCoins); coins && *coins == 0) {
    askToStartOver();
    return;
  }
  // Busy from here on, not only after the coin-drop wait: a second click in that wait must not
  // start a play that takes a coin this play's purse test already counted on.
  state_.PlayBusy = "1";

  state_.WinBannerVisible = false;
  state_.PrizeAmountText.clear();
  state_.CoinWordText.clear();
  view_.changed(Change::WinDisplay);

  platform_.playSound(sounds::Click);

  if (state_.Force777 != "1") {
    // Loading the info window copies the run's counters into it, so it is touched before they
    // are raised: otherwise the first paid play would show two coins inserted.
    info();
    addTo(state_.CoinsInSinceStart, 1);
    addToMachineMoney(1);
    if (isNormalFace()) addTo(info().CoinsInserted, 1);
    view_.changed(Change::InfoWindow);
  }

  state_.FastHold.clear();
  Wait(0.2);
  state_.PlayBusy = "1";
  state_.RespinFlag = "0";
  if (isNormalFace() && addTo(state_.PlayerCoins, -1)) view_.changed(Change::PlayerCoins);

  platform_.reseedRandom();
  int first = drawBelow(platform_.nextRandom(), 10);
  int second = drawBelow(platform_.nextRandom(), 10);
  int third = drawBelow(platform_.nextRandom(), 10);
  const int spare = drawBelow(platform_.nextRandom(), 10);
  const int special = drawBelow(platform_.nextRandom(), 101);

  if (special == 1) {
    first = 7;
    second = 0;
    third = 7;
  }
  if (state_.Force777 == "1") first = second = third = 7;
  if (!(first == second && second == third)) {
    if (first == second) state_.RespinFlag = "1";
    state_.RespinDigit = std::string(1, digitChar(spare));
  }

  std::string combination{digitChar(first), digitChar(second), digitChar(third)};
  tablo(combination, "1");
  if (first == second && second != third) {
    combination = std::string{digitChar(first), digitChar(second), digitChar(spare)};
  }
  state_.Combination = combination;

  if (auto prize = prizeFor(combination)) {
    double amount = *prize;
    Priz(amount);
  }

  state_.PlayBusy.clear();
  state_.Force777 = "g";
}

void Machine::askToStartOver() {
  const Answer answer =
      ask("Вы проиграли все деньги.\r\nНачать сначала?", "Не повезло...", MessageStyle::InformationYesNo);
  if (answer == Answer::Yes) {
    Form_Load();
    return;
  }
  // Leaving keeps the machine's money, as "Выход" does.
  SaveStatic();
  endProgram();
}

}  // namespace vertuno
