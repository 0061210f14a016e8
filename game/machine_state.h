#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vertuno {

// The two pictures the machine window can wear.
enum class Face : std::uint8_t { NormalFace, DemoFace };

// What a board cell shows: a digit picture (Image0-Image9), a roll frame (Image10-Image15),
// the unlit-cell picture, or nothing at all (the cabinet's own dark cell shows through).
// clang-format off
enum class CellPicture : std::uint8_t {
  Image0, Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9,
  Image10, Image11, Image12, Image13, Image14, Image15,
  Unlit,
  None,
};
// clang-format on

inline constexpr double ParkedLeft = 5000;

// The info window's fields; they hold values only while that window is loaded.
struct InfoFields {
  std::string MachineMoney = "500";
  std::string CoinsInserted = "0";
  std::string CoinsWon = "0";
  std::string Takings = "0";
};

// Every value of the game, kept as the exact texts the machine's controls would hold.
struct MachineState {
  // Machine window fields.
  std::string PlayerCoins = "50";
  std::string CoinsInSinceStart = "0";
  std::string CoinsWonSinceStart = "0";
  std::string PlayBusy;
  std::string Force777;
  std::string FastHold;
  std::string RespinFlag;
  std::string RespinDigit = "Razdacha";
  std::string Combination;
  std::string IdleTicks = "0";
  std::string StartupFlag;
  Face CabinetFace = Face::NormalFace;

  // The texts on the cabinet and the board.
  bool PlayerCoinsVisible = true;  // Label2
  bool WinBannerVisible = false;   // Label4, "Выигрыш"
  std::string PrizeAmountText;     // Label5
  std::string CoinWordText;        // Label6
  std::array<CellPicture, 3> Tab{CellPicture::None, CellPicture::None, CellPicture::None};

  // The falling coin, Shape1.
  double CoinLeft = ParkedLeft;
  double CoinTop = 384;

  // The wait timer, Timer1.
  int Timer1Interval = 1000;

  // The info window, Form2.
  bool InfoLoaded = false;
  InfoFields Info;
};

}  // namespace vertuno
