#include <optional>

#include "game/numeric_text.h"
#include "machine/machine.h"
#include "machine/sounds.h"

namespace vertuno {

namespace {

const char* coinWord(const std::string& amountText) {
  const char last = amountText.empty() ? ' ' : amountText.back();
  if (last == '1') return "монета";
  if (last == '2' || last == '3' || last == '4') return "монеты";
  return "монет";
}

std::string boardTextOfCount(double count) {
  std::string text = writeNumber(count);
  while (text.size() < 3) text.insert(text.begin(), 'x');
  return text;
}

bool isEmptied(const std::string& machineMoney) {
  auto money = readNumber(machineMoney);
  return money && *money <= 0;
}

}  // namespace

// A sum on a field that holds no number ends the payout at that step.
void Machine::Priz(double& amount) {
  if (state_.Force777 != "1") {
    if (!addToMachineMoney(-amount)) return;
    if (isEmptied(info().MachineMoney)) {
      refillPending_ = true;
      ask("Поздравляем!\nВам удалось полностью опустошить наш автомат!\nСейчас в автомат будут "
          "добавлены монеты, а Вы получаете в качестве приза еще 10 монет!",
          "Поздравляем!", MessageStyle::InformationOk);
      refillPending_ = false;
    }
    if (isEmptied(info().MachineMoney)) amount += 10;
    if (isEmptied(info().MachineMoney)) setMachineMoney(RefillLevel);
    if (!addTo(state_.CoinsWonSinceStart, amount)) return;
    if (isNormalFace()) {
      if (!addTo(info().CoinsWon, amount)) return;
      view_.changed(Change::InfoWindow);
    }
  }
  if (isNormalFace()) state_.WinBannerVisible = true;
  const std::string amountText = writeNumber(amount);
  if (isNormalFace()) state_.PrizeAmountText = amountText;
  const char* word = coinWord(amountText);
  if (isNormalFace()) state_.CoinWordText = word;
  view_.changed(Change::WinDisplay);

  Wait(1);
  for (double counter = amount; counter >= 0; --counter) {
    platform_.pumpEvents();
    if (counter != 0) Money();
    const std::string boardText = boardTextOfCount(counter);
    if (counter != 0) platform_.playSound(sounds::Coin);
    tablo(boardText, "0");
    Wait(0.001);
  }
  Wait(0.15);
  tablo(state_.Combination, "0");
  if (isNormalFace() && addTo(state_.PlayerCoins, amount)) view_.changed(Change::PlayerCoins);
}

}  // namespace vertuno
