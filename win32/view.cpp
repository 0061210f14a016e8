#include "win32/view.h"

#include <windows.h>

#include "machine/layout.h"
#include "machine/machine.h"
#include "win32/machine_window.h"
#include "win32/side_window.h"
#include "win32/themed_controls.h"
#include "windows/text.h"

namespace vertuno::win32 {

namespace {

HHOOK buttonHook = nullptr;

// A message box's buttons speak the system's language; the machine's speak Russian whatever
// the system, so they are renamed as the box is about to show.
LRESULT CALLBACK nameButtonsInRussian(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    auto box = reinterpret_cast<HWND>(wParam);
    SetDlgItemTextW(box, IDOK, windows::widen(message_box::Ok).c_str());
    SetDlgItemTextW(box, IDYES, windows::widen(message_box::Yes).c_str());
    SetDlgItemTextW(box, IDNO, windows::widen(message_box::No).c_str());
    UnhookWindowsHookEx(buttonHook);
    buttonHook = nullptr;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

Win32View::Win32View() = default;

Win32View::~Win32View() {
  info_.reset();
  about_.reset();
  if (sideWindowOwner_) DestroyWindow(sideWindowOwner_);
}

void Win32View::attach(Machine& machine, MachineWindow& window) {
  machine_ = &machine;
  window_ = &window;
}

Answer Win32View::messageBox(const std::string& text, const std::string& title, MessageStyle style) {
  UINT type = MB_ICONINFORMATION | MB_OK;
  if (style == MessageStyle::InformationYesNo) type = MB_ICONINFORMATION | MB_YESNO;
  if (style == MessageStyle::WarningOk) type = MB_ICONWARNING | MB_OK;
  buttonHook = SetWindowsHookExW(WH_CBT, nameButtonsInRussian, nullptr, GetCurrentThreadId());
  // A refused start asks before there is a window.
  const ThemedControls themed;
  const int chosen = MessageBoxW(window_ ? window_->handle() : nullptr, windows::widen(text).c_str(),
                                 windows::widen(title).c_str(), type);
  if (buttonHook) UnhookWindowsHookEx(buttonHook);
  buttonHook = nullptr;
  if (style != MessageStyle::InformationYesNo) return Answer::Ok;
  return chosen == IDYES ? Answer::Yes : Answer::No;
}

void Win32View::showMachineWindow() {
  ShowWindow(window_->handle(), SW_SHOW);
  UpdateWindow(window_->handle());
}

MenuChoice Win32View::popupMainMenu(std::optional<Point> at) {
  HMENU menu = CreatePopupMenu();
  for (const MenuItem& item : machine_window::Menu) {
    if (item.text.empty()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.choice), windows::widen(item.text).c_str());
    }
  }
  POINT pointer;
  if (at) {
    pointer = scaleOf(window_->handle()).point(*at);
    ClientToScreen(window_->handle(), &pointer);
  } else {
    GetCursorPos(&pointer);
  }
  SetForegroundWindow(window_->handle());  // so a click elsewhere closes the menu
  const auto chosen = static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                         pointer.x, pointer.y, window_->handle(), nullptr));
  DestroyMenu(menu);
  static_assert(static_cast<UINT>(MenuChoice::None) == 0, "no choice reads as none");
  return static_cast<MenuChoice>(chosen);
}

void Win32View::closeMainMenu() { EndMenu(); }

void Win32View::raiseMachineWindow() {
  SetWindowPos(window_->handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Win32View::handDragToDesktop(Point moved) {
  window_->handDragToDesktop(moved);
  return true;
}

// The system always moves a window dragged by its caption; nothing is left to move by hand.
void Win32View::moveMachineWindowBy(Point) {}

// The side windows belong to a hidden window rather than to the cabinet: still no taskbar
// entry of their own, yet a click on the cabinet brings it in front of them.
HWND Win32View::sideWindowOwner() {
  if (!sideWindowOwner_) {
    sideWindowOwner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  }
  return sideWindowOwner_;
}

SideWindow& Win32View::infoWindow() {
  if (!info_) info_ = std::make_unique<SideWindow>(info_window::Layout, sideWindowOwner(), *machine_);
  return *info_;
}

SideWindow& Win32View::aboutWindow() {
  if (!about_) about_ = std::make_unique<SideWindow>(about_window::Layout, sideWindowOwner(), *machine_);
  return *about_;
}

void Win32View::showInfoWindow() { infoWindow().showCentred(); }

void Win32View::hideInfoWindow() {
  if (info_) info_->hide();
}

void Win32View::showAboutWindow() { aboutWindow().showCentred(); }

void Win32View::hideAboutWindow() {
  if (about_) about_->hide();
}

void Win32View::changed(Change what) {
  window_->refresh(what);
  if (what == Change::InfoWindow && info_) info_->refresh(machine_->state());
}

}  // namespace vertuno::win32
