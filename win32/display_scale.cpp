#include "win32/display_scale.h"

namespace vertuno::win32 {

namespace {

// Windows 10's per-monitor calls, looked up so the program still starts on Windows 7.
template <typename Function>
Function user32(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

DisplayScale scaleOf(HWND window) {
  static const auto dpiForWindow = user32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (dpiForWindow && window) {
    if (const UINT dpi = dpiForWindow(window)) return {dpi};
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return {static_cast<UINT>(dpi)};
}

SIZE frameSize(SIZE client, DWORD style, DWORD exStyle, DisplayScale scale) {
  static const auto adjustForDpi = user32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, client.cx, client.cy};
  if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, scale.dpi)) {
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace vertuno::win32
