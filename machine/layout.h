#pragma once

#include <array>
#include <string_view>

#include "board/cell_pictures.h"
#include "game/machine_state.h"
#include "machine/machine.h"
#include "machine/view.h"

namespace vertuno {

// The pieces every window of the machine is laid out with. Boxes and font sizes are those of a
// 96-dpi screen; a front end scales them as a whole.
struct Box {
  int left;
  int top;
  int width;
  int height;
};

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

// A text written on the cabinet, numbered as the machine's labels are.
struct CabinetLabel {
  std::string_view name;
  Box box;
  FontStyle font;
  Rgb colour;
  Align align;
  std::string_view designCaption;  // what it shows before the machine first sets it
  std::string_view description;    // what a screen reader says it is
};

// A transparent area over a drawn button. Each gesture it answers is the machine's handler.
struct HotSpotLayout {
  std::string_view name;
  Box box;
  std::string_view accessibleName;  // empty: a screen reader does not see it
  std::string_view description;
  void (Machine::*onClick)() = nullptr;        // left press and release inside
  void (Machine::*onDoubleClick)() = nullptr;  // left double-click
  void (Machine::*onPress)() = nullptr;        // any button
  void (Machine::*onRelease)() = nullptr;      // any button, wherever it is let go
};

struct MenuItem {
  std::string_view text;  // empty: a separator
  MenuChoice choice;
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

inline constexpr CabinetLabel Purse{
    "Label2", {56, 304, 57, 17}, {ArialFamily, 8.25}, Yellow, Align::Left, "50", "Монеты игрока"};
inline constexpr CabinetLabel WinBanner{
    "Label4", {48, 250, 73, 17}, {ArialFamily, 9.75, true}, Yellow, Align::Centre, "Выигрыш", "Выигрыш"};
inline constexpr CabinetLabel PrizeAmount{
    "Label5", {48, 266, 73, 17}, {ArialFamily, 11.25, true}, Red, Align::Centre, "", "Сумма выигрыша"};
inline constexpr CabinetLabel CoinWord{
    "Label6", {48, 280, 73, 17}, {ArialFamily, 9, true}, Yellow, Align::Centre, "", "Монеты выигрыша"};

inline constexpr std::array<HotSpotLayout, 5> HotSpots{{
    {"Label1", {96, 128, 22, 25}, "Щель для монет", "Опустить монету и сыграть", &Machine::Label1_Click},
    {"Label3", {48, 128, 49, 57}, "Таблица выигрышей", "Показать статистику автомата", &Machine::Label3_Click},
    {"Label7", {40, 24, 9, 9}, "", "", nullptr, &Machine::Label7_DblClick},
    {"Label8", {80, 216, 33, 25}, "Лоток выигрыша", "Удерживайте, чтобы игра шла без пауз", nullptr, nullptr,
     &Machine::Label8_MouseDown, &Machine::Label8_MouseUp},
    {"Label11", {120, 336, 9, 9}, "", "", nullptr, &Machine::Label11_DblClick},
}};

// Where the board's cells lie, Tab1 to Tab3; each is a cell picture's size.
inline constexpr std::array<Point, 3> CellPositions{{{68, 89}, {80, 89}, {92, 89}}};
inline constexpr std::array<std::string_view, 3> CellNames{"Tab1", "Tab2", "Tab3"};
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
    {"Статистика", MenuChoice::Statistics},
    {"О программе...", MenuChoice::About},
    {"", MenuChoice::None},
    {"Выход", MenuChoice::Exit},
}};

}  // namespace machine_window

// The buttons of the machine's message boxes: the player reads Russian only.
namespace message_box {
inline constexpr std::string_view Ok = "ОК";
inline constexpr std::string_view Yes = "Да";
inline constexpr std::string_view No = "Нет";
}  // namespace message_box

}  // namespace vertuno
