#include "win32/display_scale.h"

#include <array>

namespace vertuno::win32 {

namespace {

// The scales, in percent, the build renders every picture at.
constexpr std::array RenderedScales{VERTUNO_DISPLAY_SCALES};

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

HBITMAP loadPicture(int base, SIZE layoutSize, DisplayScale scale) {
  const int wanted = MulDiv(100, static_cast<int>(scale.dpi), USER_DEFAULT_SCREEN_DPI);
  int chosen = RenderedScales.back();
  for (int rendered : RenderedScales) {
    if (rendered >= wanted) {
      chosen = rendered;
      break;
    }
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto rendered = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(base + chosen), IMAGE_BITMAP, 0, 0, 0));
  if (chosen == wanted || !rendered) return rendered;

  BITMAP source{};
  GetObjectW(rendered, sizeof source, &source);
  const SIZE size = scale.size(layoutSize.cx, layoutSize.cy);
  HDC screen = GetDC(nullptr);
  HBITMAP resized = CreateCompatibleBitmap(screen, size.cx, size.cy);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HGDIOBJ oldFrom = SelectObject(from, rendered);
  HGDIOBJ oldTo = SelectObject(to, resized);
  SetStretchBltMode(to, HALFTONE);
  SetBrushOrgEx(to, 0, 0, nullptr);
  StretchBlt(to, 0, 0, size.cx, size.cy, from, 0, 0, source.bmWidth, source.bmHeight, SRCCOPY);
  SelectObject(from, oldFrom);
  SelectObject(to, oldTo);
  DeleteDC(from);
  DeleteDC(to);
  ReleaseDC(nullptr, screen);
  DeleteObject(rendered);
  return resized;
}

}  // namespace vertuno::win32
