// The yardstick for the Windows game: the smallest Win32 window of the game's size, with one
// line of text as every real window has, built with the game's own flags.
#include <windows.h>

namespace {

LRESULT CALLBACK paintText(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC canvas = BeginPaint(window, &paint);
      RECT area;
      GetClientRect(window, &area);
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
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"Minimal";
  RegisterClassExW(&windowClass);
  HWND window = CreateWindowExW(0, L"Minimal", L"minimal", WS_POPUP | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 128,
                                378, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
