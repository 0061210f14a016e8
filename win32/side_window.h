#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "stats/side_window_layout.h"
#include "win32/display_scale.h"

namespace vertuno::win32 {

// A fixed-size window with an owner, so it has no taskbar entry of its own: a caption with a
// close button, the side windows' face colour, centred when first shown. Its controls are built
// from the window's layout table; the machine answers its buttons, its closing and Escape.
class SideWindow {
 public:
  SideWindow(const SideWindowLayout& layout, HWND owner, Machine& machine);
  ~SideWindow();
  SideWindow(const SideWindow&) = delete;
  SideWindow& operator=(const SideWindow&) = delete;

  HWND handle() const { return window_; }
  void showCentred();
  void hide() { ShowWindow(window_, SW_HIDE); }
  // The counters, in the texts that name them: the loaded info window's, else the design captions.
  void refresh(const MachineState& state);

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void build(DisplayScale scale);
  void rebuild(DisplayScale scale);
  void releaseResources();
  HWND addControl(const Control& control, const Box* frame);
  HFONT fontFor(const FontStyle& style);
  int wrappedHeight(const std::wstring& text, const FontStyle& font, RECT area);
  void command(int id);

  const SideWindowLayout& layout_;
  Machine& machine_;
  HWND window_ = nullptr;
  DisplayScale scale_;
  HBRUSH face_ = nullptr;
  std::vector<HBITMAP> pictures_;
  std::vector<std::pair<FontStyle, HFONT>> fonts_;
  std::vector<std::pair<HWND, std::string InfoFields::*>> counterTexts_;
};

}  // namespace vertuno::win32
