// The minimal window with what the game cannot start without: its resources (manifest, icon,
// artwork) and its face decoded as the game decodes it. Beside the bare minimal window it shows
// the floor those alone put under the game's start-up.
#include <windows.h>

#include "machine/layout.h"
#include "win32/display_scale.h"
#include "win32/picture.h"
#include "win32/resources.h"

namespace {

using namespace vertuno;

HBITMAP face;

LRESULT CALLBACK paintFace(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC canvas = BeginPaint(window, &paint);
      HDC picture = CreateCompatibleDC(canvas);
      HGDIOBJ old = SelectObject(picture, face);
      RECT area;
      GetClientRect(window, &area);
      BitBlt(canvas, 0, 0, area.right, area.bottom, picture, 0, 0, SRCCOPY);
      SelectObject(picture, old);
      DeleteDC(picture);
      SetBkMode(canvas, TRANSPARENT);
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
  windowClass.lpfnWndProc = paintFace;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(VERTUNO_ICON));
  windowClass.lpszClassName = L"Pictured";
  RegisterClassExW(&windowClass);
  HWND window = CreateWindowExW(0, L"Pictured", L"pictured", WS_POPUP | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                                machine_window::Width, machine_window::Height, nullptr, nullptr, instance, nullptr);
  const Box& artwork = machine_window::NormalFaceArtwork;
  face = win32::loadPicture(VERTUNO_CABINET, {artwork.width, artwork.height}, win32::scaleOf(window));
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
