#pragma once

#include <array>
#include <span>
#include <string_view>

#include "machine/layout.h"

namespace vertuno {

// The face colour of the info and about windows, which their pictures are rendered onto.
inline constexpr Rgb SideWindowFace{240, 240, 240};

enum class ControlKind {
  Text,     // a caption, or a counter when it names one
  Picture,  // the artwork of that name, at its box
  Frame,    // a group frame with its caption on the border line
  Button,
  Cover,  // a plain patch of the window's face over what the background would show
};

// A control of a side window. Controls after a frame, marked inFrame, lie in the frame's box.
struct Control {
  ControlKind kind;
  std::string_view name;
  Box box;
  std::string_view text{};  // a caption, or a picture's artwork name
  FontStyle font = DialogFont;
  Align align = Align::Left;
  bool inFrame = false;
  bool wraps = false;                          // a long text breaks onto the box's next line
  std::string InfoFields::*counter = nullptr;  // the counter this text shows
  void (Machine::*onClick)() = nullptr;        // a button's handler
  // Windows' own faces for the dialog font set a pixel or two wider than their metric twins
  // here: there a caption may run to its frame's inner edge rather than be clipped.
  int widthWithWindowsFaces = 0;
};

struct SideWindowLayout {
  WindowId window;
  std::string_view name;
  std::string_view title;
  int width;
  int height;
  std::span<const Control> controls;
};

namespace info_window {

inline constexpr FontStyle CounterFont{ArialFamily, 12, true};
inline constexpr int CaptionWidthWithWindowsFaces = 105;

// clang-format off
inline constexpr std::array<Control, 13> Controls{{
    // Hides the unlit cell drawn on the background.
    {.kind = ControlKind::Cover, .name = "Label1", .box = {0, 0, 17, 25}},
    {.kind = ControlKind::Picture, .name = "Image1", .box = {8, 8, 169, 193}, .text = "coins"},
    {.kind = ControlKind::Frame, .name = "Frame2", .box = {184, 0, 121, 201}, .text = "Счетчики"},
    {.kind = ControlKind::Text, .name = "Label6", .box = {8, 24, 97, 17}, .text = "Закинуто монет:", .inFrame = true,
     .widthWithWindowsFaces = CaptionWidthWithWindowsFaces},
    {.kind = ControlKind::Text, .name = "Label7", .box = {8, 40, 97, 17}, .font = CounterFont, .align = Align::Right,
     .inFrame = true, .counter = &InfoFields::CoinsInserted},
    {.kind = ControlKind::Text, .name = "Label8", .box = {8, 67, 97, 17}, .text = "Выиграно монет:", .inFrame = true,
     .widthWithWindowsFaces = CaptionWidthWithWindowsFaces},
    {.kind = ControlKind::Text, .name = "Label9", .box = {8, 88, 97, 17}, .font = CounterFont, .align = Align::Right,
     .inFrame = true, .counter = &InfoFields::CoinsWon},
    {.kind = ControlKind::Text, .name = "Label10", .box = {8, 115, 97, 17}, .text = "Денег в автомате:",
     .inFrame = true, .widthWithWindowsFaces = CaptionWidthWithWindowsFaces},
    {.kind = ControlKind::Text, .name = "Label11", .box = {8, 132, 97, 17}, .font = CounterFont,
     .align = Align::Right, .inFrame = true, .counter = &InfoFields::MachineMoney},
    {.kind = ControlKind::Text, .name = "Label13", .box = {8, 160, 97, 17}, .text = "Выручка автомата:",
     .inFrame = true, .widthWithWindowsFaces = CaptionWidthWithWindowsFaces},
    {.kind = ControlKind::Text, .name = "Label12", .box = {8, 176, 97, 17}, .font = CounterFont,
     .align = Align::Right, .inFrame = true, .counter = &InfoFields::Takings},
    {.kind = ControlKind::Button, .name = "Command1", .box = {224, 208, 81, 25}, .text = message_box::Ok,
     .onClick = &Machine::Command1_Click},
    {.kind = ControlKind::Text, .name = "Label5", .box = {8, 212, 161, 17}, .text = "Вертуно: нарисован нами"},
}};

inline constexpr SideWindowLayout Layout{
    .window = WindowId::Info, .name = "Form2", .title = "Информация", .width = 310, .height = 237, .controls = Controls};
// clang-format on

}  // namespace info_window

namespace about_window {

inline constexpr FontStyle HeadingFont{DialogFont.family, DialogFont.points, true};

// clang-format off
inline constexpr std::array<Control, 4> Controls{{
    {.kind = ControlKind::Picture, .name = "Image1", .box = {9, 9, 83, 89}, .text = "emblem"},
    {.kind = ControlKind::Text, .name = "Label1", .box = {104, 8, 233, 17}, .text = "Программа \"Вертуно\" для Windows",
     .font = HeadingFont},
    {.kind = ControlKind::Text, .name = "Label2", .box = {104, 32, 233, 25},
     .text = "Программа не является рекламой игровых автоматов!", .wraps = true},
    {.kind = ControlKind::Text, .name = "Label3", .box = {104, 80, 145, 17}, .text = "Нарисовано нами, 2026"},
}};

inline constexpr SideWindowLayout Layout{.window = WindowId::About, .name = "Form3", .title = "О программе \"Вертуно\"",
                                         .width = 341, .height = 108, .controls = Controls};
// clang-format on

}  // namespace about_window

inline constexpr std::array<const SideWindowLayout*, 2> SideWindows{&info_window::Layout, &about_window::Layout};

// What a screen reader says a side window's close box is.
inline constexpr std::string_view CloseBoxName = "Закрыть";

}  // namespace vertuno
