#pragma once

#include <array>
#include <string_view>

#include "game/machine_state.h"
#include "machine/geometry.h"
#include "machine/machine.h"
#include "machine/view.h"

namespace vertuno {

struct FontStyle {
  std::string_view family;  // the face the machine was drawn with; each desktop maps it
  double points;
  bool bold = false;
  friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

enum class Align { Left, Centre, Right };

inline constexpr std::string_view ArialFamily = "Arial";
// Every dialog's own font on the desktop the machine was drawn for.
inline constexpr FontStyle DialogFont{"MS Sans Serif", 8.25};

// A text written on the cabinet, numbered as the machine's labels are. It shows a field of the
// state record, or its caption where it names none, and is seen while its visibility field is
// true, or always where it names none. A front end repaints it when its change comes.
struct CabinetLabel {
  std::string_view name;
  Box box;
  FontStyle font;
  Rgb colour;
  Align align = Align::Left;
  std::string_view caption{};
  std::string MachineState::*text = nullptr;
  bool MachineState::*visible = nullptr;
  Change change = Change::WinDisplay;
  std::string_view description{};  // what a screen reader says it is
};

inline std::string_view shownText(const CabinetLabel& label, const MachineState& state) {
  return label.text ? std::string_view(state.*label.text) : label.caption;
}
inline bool isShown(const CabinetLabel& label, const MachineState& state) {
  return !label.visible || state.*label.visible;
}

// A transparent area over a drawn button. Each gesture it answers is the machine's handler.
struct HotSpotLayout {
  std::string_view name;
  Box box;
  std::string_view accessibleName{};  // empty: a screen reader does not see it
  std::string_view description{};
  void (Machine::*onClick)() = nullptr;        // left press and release inside
  void (Machine::*onDoubleClick)() = nullptr;  // left double-click
  void (Machine::*onPress)() = nullptr;        // any button
  void (Machine::*onRelease)() = nullptr;      // any button, wherever it is let go
};

struct MenuItem {
  std::string_view text{};  // empty: a separator
  MenuChoice choice = MenuChoice::None;
};

// The machine window: a borderless cabinet cut to its outline.
namespace machine_window {

inline constexpr std::string_view Name = "Form1";
inline constexpr std::string_view Title = "777 - Игра Вертуно";
inline constexpr int Width = 128;
inline constexpr int Height = 378;
inline constexpr FontStyle Font{ArialFamily, 9};

inline constexpr Rgb Yellow{255, 255, 0};
inline constexpr Rgb Red{255, 0, 0};

// clang-format off
inline constexpr std::array<CabinetLabel, 4> Texts{{
    {.name = "Label2", .box = {56, 304, 57, 17}, .font = {ArialFamily, 8.25}, .colour = Yellow,
     .text = &MachineState::PlayerCoins, .visible = &MachineState::PlayerCoinsVisible, .change = Change::PlayerCoins,
     .description = "Монеты игрока"},
    {.name = "Label4", .box = {48, 250, 73, 17}, .font = {ArialFamily, 9.75, true}, .colour = Yellow,
     .align = Align::Centre, .caption = "Выигрыш", .visible = &MachineState::WinBannerVisible,
     .description = "Выигрыш"},
    {.name = "Label5", .box = {48, 266, 73, 17}, .font = {ArialFamily, 11.25, true}, .colour = Red,
     .align = Align::Centre, .text = &MachineState::PrizeAmountText, .description = "Сумма выигрыша"},
    {.name = "Label6", .box = {48, 280, 73, 17}, .font = {ArialFamily, 9, true}, .colour = Yellow,
     .align = Align::Centre, .text = &MachineState::CoinWordText, .description = "Монеты выигрыша"},
}};
// clang-format on

// clang-format off
inline constexpr std::array<HotSpotLayout, 5> HotSpots{{
    {.name = "Label1", .box = {96, 128, 22, 25}, .accessibleName = "Щель для монет",
     .description = "Опустить монету и сыграть", .onClick = &Machine::Label1_Click},
    {.name = "Label3", .box = {48, 128, 49, 57}, .accessibleName = "Таблица выигрышей",
     .description = "Показать статистику автомата", .onClick = &Machine::Label3_Click},
    {.name = "Label7", .box = {40, 24, 9, 9}, .onDoubleClick = &Machine::Label7_DblClick},
    {.name = "Label8", .box = {80, 216, 33, 25}, .accessibleName = "Лоток выигрыша",
     .description = "Удерживайте, чтобы игра шла без пауз", .onPress = &Machine::Label8_MouseDown,
     .onRelease = &Machine::Label8_MouseUp},
    {.name = "Label11", .box = {120, 336, 9, 9}, .onDoubleClick = &Machine::Label11_DblClick},
}};
// clang-format on

// Where the board's cells lie, Tab1 to Tab3; each is a cell picture's size.
inline constexpr std::array<Point, 3> CellPositions{{{68, 89}, {80, 89}, {92, 89}}};
inline constexpr std::array<std::string_view, 3> CellNames{"Tab1", "Tab2", "Tab3"};
// Behind the cells, the board as one thing a screen reader reads out (boardReading).
inline constexpr std::string_view BoardName = "Board";
inline constexpr std::string_view BoardReading = "Табло: ";  // then each cell: digit, "?" turning, "-" dark

// The faces' artwork is drawn on a larger canvas than the window; the demo's player stands
// out to the right. Under it, the cabinet's blue, so nothing inside the outline is see-through.
inline constexpr Box NormalFaceArtwork{0, 0, 129, 408};
inline constexpr Box DemoFaceArtwork{0, 0, 155, 408};
inline constexpr Rgb CabinetBlue{24, 58, 140};

// The falling coin: its size, and its look, a grey disc with a darker rim.
inline constexpr int CoinWidth = 9;
inline constexpr int CoinHeight = 7;
inline constexpr Rgb CoinFill{0xC0, 0xC0, 0xC0};
inline constexpr Rgb CoinBorder{0x80, 0x80, 0x80};

// The window's timers: Timer2 counts idle time toward the demo; Timer3 runs from the start.
inline constexpr int Timer2IntervalMs = 2888;
inline constexpr int Timer3IntervalMs = 3000;

// The right button's menu.
inline constexpr std::string_view MenuName = "MainMenu";
inline constexpr std::array<MenuItem, 4> Menu{{
    {.text = "Статистика", .choice = MenuChoice::Statistics},
    {.text = "О программе...", .choice = MenuChoice::About},
    {.choice = MenuChoice::None},
    {.text = "Выход", .choice = MenuChoice::Exit},
}};

}  // namespace machine_window

// The buttons of the machine's message boxes: the player reads Russian only.
namespace message_box {
inline constexpr std::string_view Ok = "ОК";
inline constexpr std::string_view Yes = "Да";
inline constexpr std::string_view No = "Нет";
}  // namespace message_box

}  // namespace vertuno
