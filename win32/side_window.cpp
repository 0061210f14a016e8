#include "win32/side_window.h"

#include "win32/resources.h"
#include "win32/fonts.h"
#include "win32/window_owner.h"
#include "stats/side_window_layout.h"

namespace vertuno::win32 {

namespace {

constexpr wchar_t ClassName[] = L"VertunoSideWindow";
// Not clipping its children: the window paints its face behind them, inside the group frame too.
constexpr DWORD Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;

}  // namespace

SideWindow::SideWindow(HWND owner, const wchar_t* title, SIZE client) {
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

  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, Style, FALSE, WS_EX_DLGMODALFRAME);
  window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, ClassName, title, Style, 0, 0, frame.right - frame.left,
                            frame.bottom - frame.top, owner, nullptr, instance, this);
  dialogFont_ = makeFont(DialogFaces, 8.25);
}

SideWindow::~SideWindow() {
  DestroyWindow(window_);
  DeleteObject(face_);
  DeleteObject(dialogFont_);
}

HWND SideWindow::addControl(const wchar_t* type, int id, const std::wstring& text, RECT area, DWORD style,
                            HFONT font) {
  HWND control = CreateWindowExW(0, type, text.c_str(), WS_CHILD | WS_VISIBLE | style, area.left, area.top,
                                 area.right - area.left, area.bottom - area.top, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : dialogFont_), FALSE);
  return control;
}

HWND SideWindow::addPicture(int id, int resource, POINT topLeft) {
  HWND picture = addControl(L"STATIC", id, L"", {topLeft.x, topLeft.y, topLeft.x, topLeft.y}, SS_BITMAP, nullptr);
  auto bitmap = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, 0);
  SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  return picture;
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
