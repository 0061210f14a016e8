// The yardstick for the Windows game: the smallest Win32 window of the game's size, with one
// line of text as every real window has, built with the game's own flags. Built with
// VERTUNO_GAME_FACE, the same window carries what the game cannot start without (its resources:
// manifest, icon, artwork) and shows the game's face, decoded as the game decodes it: the floor
// under the game's start-up.
#include <windows.h>

#ifdef VERTUNO_GAME_FACE
#include "machine/layout.h"
#include "win32/display_scale.h"
#include "win32/picture.h"
#include "win32/resources.h"
#endif

namespace {

#ifdef VERTUNO_GAME_FACE
constexpr wchar_t Title[] = L"pictured";
HBITMAP face;

HICON icon(HINSTANCE instance) { return LoadIconW(instance, MAKEINTRESOURCEW(VERTUNO_ICON)); }

void decodeFace(HWND window) {
  const vertuno::Box& artwork = vertuno::machine_window::NormalFaceArtwork;
  face = vertuno::win32::loadPicture(VERTUNO_CABINET, {artwork.width, artwork.height}, vertuno::win32::scaleOf(window));
}

void paintFace(HDC canvas, const RECT& area) {
  HDC picture = CreateCompatibleDC(canvas);
  HGDIOBJ old = SelectObject(picture, face);
  BitBlt(canvas, 0, 0, area.right, area.bottom, picture, 0, 0, SRCCOPY);
  SelectObject(picture, old);
  DeleteDC(picture);
  SetBkMode(canvas, TRANSPARENT);
}
#else
constexpr wchar_t Title[] = L"minimal";
HICON icon(HINSTANCE) { return nullptr; }
void decodeFace(HWND) {}
void paintFace(HDC, const RECT&) {}
#endif

LRESULT CALLBACK paintText(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC canvas = BeginPaint(window, &paint);
      RECT area;
      GetClientRect(window, &area);
      paintFace(canvas, area);
      DrawTextW(canvas, L"20", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = paintText;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon(instance);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"Minimal";
  RegisterClassExW(&windowClass);
  HWND window = CreateWindowExW(0, L"Minimal", Title, WS_POPUP | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 128, 378,
                                nullptr, nullptr, instance, nullptr);
  decodeFace(window);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
