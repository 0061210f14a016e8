#pragma once

#include <windows.h>

#include <string>

namespace vertuno::win32 {

// A fixed-size window owned by the machine window, so it has no taskbar entry of its own:
// a caption with a close button, the side windows' face colour, centred when first shown.
class SideWindow {
 public:
  SideWindow(HWND owner, const wchar_t* title, SIZE client);
  virtual ~SideWindow();
  SideWindow(const SideWindow&) = delete;
  SideWindow& operator=(const SideWindow&) = delete;

  HWND handle() const { return window_; }
  void showCentred();
  void hide() { ShowWindow(window_, SW_HIDE); }

 protected:
  HWND addControl(const wchar_t* type, int id, const std::wstring& text, RECT area, DWORD style, HFONT font);
  HWND addPicture(int id, int resource, POINT topLeft);
  // A click of a button; closing through the caption.
  virtual void command(int) {}
  virtual void closed() { hide(); }
  HFONT dialogFont_ = nullptr;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HBRUSH face_ = nullptr;
};

}  // namespace vertuno::win32
