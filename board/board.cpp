#include <optional>
#include <string>

#include "game/numeric_text.h"
#include "machine/machine.h"

namespace vertuno {

namespace {

std::string threeCharacterForm(std::string_view text, bool rolling) {
  if (text.empty()) return rolling ? "   " : "000";
  std::string form(text.size() < 3 ? 3 - text.size() : 0, '0');
  form.append(text);
  return form;
}

// A character picks digit k when it reads as the number k.
std::optional<CellPicture> digitPicture(std::optional<double> value) {
  for (int k = 0; k <= 9; ++k) {
    if (value && *value == k) return static_cast<CellPicture>(k);
  }
  return std::nullopt;
}

std::optional<CellPicture> digitPicture(char c) { return digitPicture(readNumber(std::string_view(&c, 1))); }

constexpr CellPicture RollFrames[] = {CellPicture::Image10, CellPicture::Image11, CellPicture::Image12,
                                      CellPicture::Image13, CellPicture::Image14, CellPicture::Image15};

}  // namespace

// Three passes of the chase over the cells from firstCell to the right cell.
void Machine::rollCells(int firstCell) {
  for (int pass = 0; pass < 3; ++pass) {
    platform_.pumpEvents();
    for (CellPicture frame : RollFrames) {
      for (int cell = firstCell; cell < 3; ++cell) state_.Tab[static_cast<std::size_t>(cell)] = frame;
      view_.changed(Change::Cells);
      Wait(0.001);
    }
  }
}

void Machine::tablo(std::string_view text, std::string_view mode) {
  const auto modeNumber = readNumber(mode);
  const bool rolling = modeNumber && *modeNumber == 1;
  const std::string shown = threeCharacterForm(text, rolling);

  if (!rolling) {
    std::array<CellPicture, 3> cells{};
    for (std::size_t i = 0; i < 3; ++i) {
      const char c = shown[i];
      if (c == '0') {
        cells[i] = CellPicture::Image0;
      } else {
        // The unlit-cell picture is the info window's background, so showing it loads that window.
        if (!digitPicture(c)) info();
        cells[i] = digitPicture(c).value_or(CellPicture::Unlit);
      }
    }
    setCells(cells[0], cells[1], cells[2]);
    state_.StartupFlag = shown;
    return;
  }

  rollCells(0);
  // A character that is no digit leaves its cell on the last roll frame.
  state_.Tab = {digitPicture(shown[0]).value_or(state_.Tab[0]), digitPicture(shown[1]).value_or(state_.Tab[1]),
                digitPicture(shown[2]).value_or(state_.Tab[2])};
  view_.changed(Change::Cells);

  const auto respin = readNumber(state_.RespinFlag);
  if (!respin || *respin != 1) return;
  Wait(0.7);
  rollCells(2);
  const auto respinDigit = readNumber(state_.RespinDigit);
  if (!respinDigit) return;
  if (auto picture = digitPicture(respinDigit)) setCell(2, *picture);
  state_.Combination = std::string{shown[0], shown[1]} + state_.RespinDigit;
}

}  // namespace vertuno
