#include "win32/side_window.h"

#include "win32/resources.h"
#include "win32/fonts.h"
#include "win32/layout.h"
#include "win32/text.h"
#include "win32/window_owner.h"

namespace vertuno::win32 {

namespace {

constexpr wchar_t ClassName[] = L"VertunoSideWindow";
// Not clipping its children: the window paints its face behind them, inside the group frame too.
constexpr DWORD Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;

// The artwork a picture control shows, from the program's resources.
int pictureResource(std::string_view name) { return (name == "coins" ? VERTUNO_COINS : VERTUNO_EMBLEM) + 100; }

}  // namespace

SideWindow::SideWindow(const SideWindowLayout& layout, HWND owner, Machine* machine)
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
  windowClass.lpszClassName = ClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly for the second side window

  RECT frame{0, 0, layout.width, layout.height};
  AdjustWindowRectEx(&frame, Style, FALSE, WS_EX_DLGMODALFRAME);
  window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, ClassName, widen(layout.title).c_str(), Style, 0, 0,
                            frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance, this);
  const Box* groupFrame = nullptr;
  for (const Control& control : layout.controls) {
    HWND made = addControl(control, groupFrame);
    if (control.kind == ControlKind::Frame) groupFrame = &control.box;
    if (control.counter) counterTexts_.emplace_back(made, control.counter);
  }
}

SideWindow::~SideWindow() {
  DestroyWindow(window_);
  DeleteObject(face_);
  for (const auto& [spec, font] : fonts_) DeleteObject(font);
}

HFONT SideWindow::fontFor(const FontSpec& spec) {
  for (const auto& [made, font] : fonts_) {
    if (made == spec) return font;
  }
  return fonts_.emplace_back(spec, makeFont(spec)).second;
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
    case ControlKind::Cover:
      break;
  }
  const std::wstring text = control.kind == ControlKind::Picture ? L"" : widen(control.text);
  HWND made = CreateWindowExW(0, type, text.c_str(), WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.width,
                              box.height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                              nullptr);
  SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(control.font)), FALSE);
  if (control.kind == ControlKind::Picture) {
    auto bitmap = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(pictureResource(control.text)), IMAGE_BITMAP,
                             0, 0, 0);
    SendMessageW(made, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  }
  return made;
}

void SideWindow::showCounters(const InfoFields& counters) {
  for (const auto& [text, counter] : counterTexts_) SetWindowTextW(text, widen(counters.*counter).c_str());
}

void SideWindow::command(int id) {
  for (const Control& control : layout_.controls) {
    if (control.kind == ControlKind::Button && controlNumber(control.name) == id && machine_ && control.onClick) {
      (machine_->*control.onClick)();
    }
  }
}

void SideWindow::showCentred() {
  if (!IsWindowVisible(window_)) {
    RECT work{}, frame{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, (work.left + work.right - width) / 2, (work.top + work.bottom - height) / 2,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER);
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
        self->closed();  // Escape, as in any dialog
      } else if (HIWORD(wParam) == BN_CLICKED) {
        self->command(LOWORD(wParam));
      }
      return 0;
    case WM_CLOSE: self->closed(); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace vertuno::win32
