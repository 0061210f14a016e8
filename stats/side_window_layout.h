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
  Cover,    // a plain patch of the window's face over what the background would show
};

// A control of a side window. Controls after a frame, marked inFrame, lie in the frame's box.
struct Control {
  ControlKind kind;
  std::string_view name;
  Box box;
  std::string_view text;  // a caption, or a picture's artwork name
  FontStyle font = DialogFont;
  Align align = Align::Left;
  bool inFrame = false;
  bool wraps = false;                            // a long text breaks onto the box's next line
  std::string InfoFields::*counter = nullptr;    // the counter this text shows
  void (Machine::*onClick)() = nullptr;          // a button's handler
  // Windows' own faces for the dialog font set a pixel or two wider than their metric twins
  // here: there a caption may run to its frame's inner edge rather than be clipped.
  int widthWithWindowsFaces = 0;
};

struct SideWindowLayout {
  std::string_view name;
  std::string_view title;
  int width;
  int height;
  std::span<const Control> controls;
};

// The title bar a side window draws itself where nobody else draws one: on a Wayland compositor
// that leaves decorations to the window (GNOME's, Weston), whose stand-in from the toolkit would
// offer minimise and maximise. A light strip with the title centred and a round close box at the
// right, over the window's content, which keeps its size; a thin edge rings the window.
struct TitleStripStyle {
  int height;  // from the window's top to the content's first row, edge and bottom line included
  int edgeWidth;
  FontStyle font;
  Rgb faceTop;  // the strip is shaded from top to bottom
  Rgb faceBottom;
  Rgb edge;  // the window's edge, and the line between the strip and the content
  Rgb title;
  int closeSide;         // the round close box: its diameter,
  int closeRightInset;   // its gap to the window's right edge (centred in the strip's height),
  int closeMarkSide;     // and the cross drawn in it
  Rgb closeFace;
  Rgb closeHover;
  Rgb closePressed;
  Rgb closeMark;
  std::string_view closeName;  // what a screen reader says the close box is
};

inline constexpr TitleStripStyle OwnTitleStrip{
    31, 1, {ArialFamily, 9, true}, {246, 245, 244}, {228, 226, 223}, {190, 184, 178}, {46, 52, 54},
    22, 5, 8, {222, 219, 216}, {206, 202, 198}, {188, 183, 178}, {46, 52, 54}, "Закрыть"};

namespace info_window {

inline constexpr FontStyle CounterFont{ArialFamily, 12, true};
inline constexpr int CaptionWidthWithWindowsFaces = 105;

inline constexpr std::array<Control, 13> Controls{{
    {ControlKind::Cover, "Label1", {0, 0, 17, 25}, ""},  // hides the unlit cell drawn on the background
    {ControlKind::Picture, "Image1", {8, 8, 169, 193}, "coins"},
    {ControlKind::Frame, "Frame2", {184, 0, 121, 201}, "Счетчики"},
    {ControlKind::Text, "Label6", {8, 24, 97, 17}, "Закинуто монет:", DialogFont, Align::Left, true, false, nullptr,
     nullptr, CaptionWidthWithWindowsFaces},
    {ControlKind::Text, "Label7", {8, 40, 97, 17}, "", CounterFont, Align::Right, true, false,
     &InfoFields::CoinsInserted},
    {ControlKind::Text, "Label8", {8, 67, 97, 17}, "Выиграно монет:", DialogFont, Align::Left, true, false, nullptr,
     nullptr, CaptionWidthWithWindowsFaces},
    {ControlKind::Text, "Label9", {8, 88, 97, 17}, "", CounterFont, Align::Right, true, false, &InfoFields::CoinsWon},
    {ControlKind::Text, "Label10", {8, 115, 97, 17}, "Денег в автомате:", DialogFont, Align::Left, true, false, nullptr,
     nullptr, CaptionWidthWithWindowsFaces},
    {ControlKind::Text, "Label11", {8, 132, 97, 17}, "", CounterFont, Align::Right, true, false,
     &InfoFields::MachineMoney},
    {ControlKind::Text, "Label13", {8, 160, 97, 17}, "Выручка автомата:", DialogFont, Align::Left, true, false, nullptr,
     nullptr, CaptionWidthWithWindowsFaces},
    {ControlKind::Text, "Label12", {8, 176, 97, 17}, "", CounterFont, Align::Right, true, false, &InfoFields::Takings},
    {ControlKind::Button, "Command1", {224, 208, 81, 25}, message_box::Ok, DialogFont, Align::Left, false, false, nullptr,
     &Machine::Command1_Click},
    {ControlKind::Text, "Label5", {8, 212, 161, 17}, "Вертуно: нарисован нами"},
}};

inline constexpr SideWindowLayout Layout{"Form2", "Информация", 310, 237, Controls};

}  // namespace info_window

namespace about_window {

inline constexpr FontStyle HeadingFont{DialogFont.family, DialogFont.points, true};

inline constexpr std::array<Control, 4> Controls{{
    {ControlKind::Picture, "Image1", {9, 9, 83, 89}, "emblem"},
    {ControlKind::Text, "Label1", {104, 8, 233, 17}, "Программа \"Вертуно\" для Windows", HeadingFont},
    {ControlKind::Text, "Label2", {104, 32, 233, 25}, "Программа не является рекламой игровых автоматов!",
     DialogFont, Align::Left, false, true},
    {ControlKind::Text, "Label3", {104, 80, 145, 17}, "Нарисовано нами, 2026"},
}};

inline constexpr SideWindowLayout Layout{"Form3", "О программе \"Вертуно\"", 341, 108, Controls};

}  // namespace about_window

}  // namespace vertuno
