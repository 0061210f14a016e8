#include "win32/side_window.h"

#include <algorithm>

#include "win32/fonts.h"
#include "win32/layout.h"
#include "win32/picture.h"
#include "win32/resources.h"
#include "win32/themed_controls.h"
#include "win32/window_owner.h"
#include "windows/text.h"

namespace vertuno::win32 {

namespace {

constexpr wchar_t SideWindowClass[] = L"VertunoSideWindow";
// Not clipping its children: the window paints its face behind them, inside the group frame too.
constexpr DWORD Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD ExStyle = WS_EX_DLGMODALFRAME;

// The artwork a picture control shows, from the program's resources.
int pictureResource(std::string_view name) { return name == "coins" ? VERTUNO_COINS : VERTUNO_EMBLEM; }

}  // namespace

SideWindow::SideWindow(const SideWindowLayout& layout, HWND owner, Machine& machine)
    : layout_(layout), machine_(machine) {
  const Rgb colour = SideWindowFace;
  face_ = CreateSolidBrush(RGB(colour.r, colour.g, colour.b));
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(VERTUNO_ICON));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = SideWindowClass;
  RegisterClassExW(&windowClass);  // fails harmlessly for the second side window

  window_ = CreateWindowExW(ExStyle, SideWindowClass, windows::widen(layout.title).c_str(), Style, 0, 0, 0, 0, owner,
                            nullptr, instance, this);
  build(scaleOf(window_));
  refresh(machine_.state());
}

// The window's size and every control, at a monitor's scale.
void SideWindow::build(DisplayScale scale) {
  const ThemedControls themed;
  scale_ = scale;
  const SIZE frame = frameSize(scale_.size(layout_.width, layout_.height), Style, ExStyle, scale_);
  SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const Box* groupFrame = nullptr;
  for (const Control& control : layout_.controls) {
    HWND made = addControl(control, groupFrame);
    if (control.kind == ControlKind::Frame) groupFrame = &control.box;
    if (control.counter) counterTexts_.emplace_back(made, control.counter);
  }
}

// The controls go, with their fonts and pictures, to be built again at the new scale.
void SideWindow::rebuild(DisplayScale scale) {
  while (HWND child = GetWindow(window_, GW_CHILD)) DestroyWindow(child);
  releaseResources();
  counterTexts_.clear();
  build(scale);
  refresh(machine_.state());
}

void SideWindow::releaseResources() {
  for (const auto& [style, font] : fonts_) DeleteObject(font);
  fonts_.clear();
  for (HBITMAP picture : pictures_) DeleteObject(picture);
  pictures_.clear();
}

SideWindow::~SideWindow() {
  DestroyWindow(window_);
  DeleteObject(face_);
  releaseResources();
}

HFONT SideWindow::fontFor(const FontStyle& style) {
  for (const auto& [made, font] : fonts_) {
    if (made == style) return font;
  }
  return fonts_.emplace_back(style, makeFont(style, scale_)).second;
}

// A group frame is no container here: the controls inside it lie at the frame's offset.
HWND SideWindow::addControl(const Control& control, const Box* frame) {
  Box box = control.box;
  if (control.inFrame && frame) {
    box.left += frame->left;
    box.top += frame->top;
  }
  if (control.widthWithWindowsFaces) box.width = control.widthWithWindowsFaces;
  const wchar_t* type = L"STATIC";
  DWORD style = SS_NOPREFIX;
  int id = controlNumber(control.name);
  switch (control.kind) {
    case ControlKind::Text:
      style |= control.align == Align::Right ? SS_RIGHT : SS_LEFT;
      if (!control.wraps) style |= SS_CENTERIMAGE;
      break;
    case ControlKind::Picture:
      style = SS_BITMAP;
      id += 100;
      break;
    case ControlKind::Frame:
      type = L"BUTTON";
      style = BS_GROUPBOX;
      id += 100;
      break;
    case ControlKind::Button:
      type = L"BUTTON";
      style = BS_DEFPUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::Cover: break;
  }
  const std::wstring text = control.kind == ControlKind::Picture ? L"" : windows::widen(control.text);
  RECT area = scale_.rect(box);
  if (control.wraps) area.bottom = std::max(area.bottom, area.top + wrappedHeight(text, control.font, area));
  HWND made = CreateWindowExW(0, type, text.c_str(), WS_CHILD | WS_VISIBLE | style, area.left, area.top,
                              area.right - area.left, area.bottom - area.top, window_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(control.font)), FALSE);
  if (control.kind == ControlKind::Picture) {
    HBITMAP picture = loadPicture(pictureResource(control.text), {box.width, box.height}, scale_);
    pictures_.push_back(picture);
    SendMessageW(made, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
  }
  return made;
}

// Font sizes round to whole pixels at each scale, so a text that breaks onto a second line may
// need a pixel or two more than its scaled box: it takes them below, where the layout leaves room.
int SideWindow::wrappedHeight(const std::wstring& text, const FontStyle& font, RECT area) {
  HDC screen = GetDC(window_);
  HGDIOBJ old = SelectObject(screen, fontFor(font));
  DrawTextW(screen, text.c_str(), -1, &area, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(screen, old);
  ReleaseDC(window_, screen);
  return area.bottom - area.top;
}

void SideWindow::refresh(const MachineState& state) {
  const InfoFields counters = state.InfoLoaded ? state.Info : InfoFields{};
  for (const auto& [text, counter] : counterTexts_) SetWindowTextW(text, windows::widen(counters.*counter).c_str());
}

void SideWindow::command(int id) {
  for (const Control& control : layout_.controls) {
    if (control.kind == ControlKind::Button && controlNumber(control.name) == id && control.onClick) {
      (machine_.*control.onClick)();
    }
  }
}

void SideWindow::showCentred() {
  if (!IsWindowVisible(window_)) {
    RECT work{}, frame{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, (work.left + work.right - width) / 2, (work.top + work.bottom - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
  }
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

LRESULT CALLBACK SideWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = windowOwner(window, message, lParam, &SideWindow::window_);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, self->face_);
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const Rgb colour = SideWindowFace;
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(colour.r, colour.g, colour.b));
      return reinterpret_cast<LRESULT>(self->face_);
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        self->machine_.input({.kind = InputKind::Escape, .window = self->layout_.window});  // as in any dialog
      } else if (HIWORD(wParam) == BN_CLICKED) {
        self->command(LOWORD(wParam));
      }
      return 0;
    case WM_CLOSE: self->machine_.closeSideWindow(self->layout_.window); return 0;
    case WM_DPICHANGED: {
      self->rebuild({HIWORD(wParam)});
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace vertuno::win32
