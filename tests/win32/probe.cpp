// Reads a running Windows program's window as a screen reader would:
//   probe TITLE                      prints "ID VISIBLE TEXT" for each control of the top-level
//                                    window of that exact title (or, for TITLE*, the first
//                                    whose title begins so: a wizard names each page in it);
//   probe TITLE SECONDS [ID TEXT]    watches it, printing "MS ID VISIBLE TEXT" whenever a
//                                    control changes, until control ID shows TEXT;
//   probe TITLE ink                  prints "ID WHOLE" for each visible control with a text:
//                                    1 when the ink its text puts down, drawn unclipped in the
//                                    control's own font and alignment, lies inside the control.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "machine/layout.h"
#include "stats/side_window_layout.h"
#include "win32/display_scale.h"
#include "win32/fonts.h"
#include "win32/layout.h"
#include "windows/text.h"

namespace {

std::string utf8(const std::wstring& wide) {
  std::string bytes(
      static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.pop_back();
  return bytes;
}

using Controls = std::map<int, std::string>;

BOOL CALLBACK note(HWND control, LPARAM found) {
  wchar_t text[512] = {};
  SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, nullptr);
  (*reinterpret_cast<Controls*>(found))[GetDlgCtrlID(control)] =
      std::string(IsWindowVisible(control) ? "1 " : "0 ") + utf8(text);
  return TRUE;
}

Controls read(HWND window) {
  Controls found;
  EnumChildWindows(window, note, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A control's font, as the program makes it from the layout tables: a font handle is no use in
// another process.
std::optional<vertuno::FontStyle> fontOf(HWND control) {
  using namespace vertuno;
  wchar_t title[256] = {};
  GetWindowTextW(GetAncestor(control, GA_ROOT), title, 256);
  const int id = GetDlgCtrlID(control);
  if (title == windows::widen(machine_window::Title)) {
    for (const CabinetLabel& label : machine_window::Texts) {
      if (win32::controlNumber(label.name) == id) return label.font;
    }
  }
  for (const SideWindowLayout* layout : SideWindows) {
    if (title != windows::widen(layout->title)) continue;
    for (const Control& each : layout->controls) {
      const bool numberedApart = each.kind == ControlKind::Frame || each.kind == ControlKind::Picture;
      if (win32::controlNumber(each.name) + (numberedApart ? 100 : 0) == id) return each.font;
    }
  }
  return std::nullopt;
}

// Where the control's text puts ink when nothing clips it, against its own box; a margin
// around the box catches what would be cut.
BOOL CALLBACK checkInk(HWND control, LPARAM) {
  wchar_t text[512] = {}, type[32] = {};
  GetWindowTextW(control, text, 512);
  GetClassNameW(control, type, 32);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const bool isStatic = lstrcmpiW(type, L"Static") == 0;
  if (!*text || !IsWindowVisible(control) || (isStatic && (style & SS_TYPEMASK) == SS_BITMAP)) return TRUE;
  UINT format = DT_NOPREFIX | DT_NOCLIP;
  RECT box{};
  GetClientRect(control, &box);
  if (isStatic) {
    const LONG kind = style & SS_TYPEMASK;
    format |= kind == SS_CENTER ? DT_CENTER : kind == SS_RIGHT ? DT_RIGHT : DT_LEFT;
    format |= style & SS_CENTERIMAGE ? DT_VCENTER | DT_SINGLELINE : DT_WORDBREAK;
  } else if ((style & BS_TYPEMASK) == BS_GROUPBOX) {
    box.left += 8;  // the caption sits on the frame's top line, past its corner
    box.right -= 8;
    format |= DT_LEFT | DT_SINGLELINE;
  } else {
    format |= DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  }
  constexpr int Margin = 40;
  const int width = box.right - box.left + 2 * Margin, height = box.bottom - box.top + 2 * Margin;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC controlDc = GetDC(control);
  HDC dc = CreateCompatibleDC(controlDc);
  ReleaseDC(control, controlDc);
  HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldCanvas = SelectObject(dc, canvas);
  const std::optional<vertuno::FontStyle> fontStyle = fontOf(control);
  if (!fontStyle) return TRUE;
  HFONT font = vertuno::win32::makeFont(*fontStyle, vertuno::win32::scaleOf(control));
  HGDIOBJ oldFont = SelectObject(dc, font);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT place{Margin, Margin, width - Margin, height - Margin};
  DrawTextW(dc, text, -1, &place, format);
  GdiFlush();
  RECT ink{width, height, -1, -1};
  const auto* pixels = static_cast<const DWORD*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((pixels[y * width + x] & 0xFFFFFF) == 0xFFFFFF) continue;
      ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x),
             std::max<LONG>(ink.bottom, y)};
    }
  }
  SelectObject(dc, oldFont);
  DeleteObject(font);
  SelectObject(dc, oldCanvas);
  DeleteObject(canvas);
  DeleteDC(dc);
  const bool whole =
      ink.left >= Margin && ink.top >= Margin && ink.right < width - Margin && ink.bottom < height - Margin;
  std::printf("%d %d %s", GetDlgCtrlID(control), whole ? 1 : 0, utf8(text).c_str());
  if (!whole) {
    std::printf(" (ink %ld,%ld..%ld,%ld in %ldx%ld)", ink.left - Margin, ink.top - Margin, ink.right - Margin,
                ink.bottom - Margin, box.right - box.left, box.bottom - box.top);
  }
  std::printf("\n");
  return TRUE;
}

}  // namespace

BOOL CALLBACK titledSo(HWND window, LPARAM found) {
  auto& [prefix, match] = *reinterpret_cast<std::pair<std::wstring, HWND>*>(found);
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  if (IsWindowVisible(window) && std::wstring(title).starts_with(prefix)) match = window;
  return !match;
}

HWND topLevelWindow(std::wstring title) {
  if (!title.ends_with(L'*')) return FindWindowW(nullptr, title.c_str());
  title.pop_back();
  std::pair<std::wstring, HWND> found{title, nullptr};
  EnumWindows(titledSo, reinterpret_cast<LPARAM>(&found));
  return found.second;
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  HWND window = topLevelWindow(argv[1]);
  if (!window) return 1;
  if (argc == 3 && lstrcmpW(argv[2], L"ink") == 0) {
    // The program's fonts as the program, aware of each monitor's scale, sees them.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    EnumChildWindows(window, checkInk, 0);
    return 0;
  }
  Controls shown = read(window);
  if (argc < 3) {
    for (const auto& [id, state] : shown) std::printf("%d %s\n", id, state.c_str());
    return 0;
  }
  const ULONGLONG start = GetTickCount64();
  const ULONGLONG end = start + static_cast<ULONGLONG>(_wtof(argv[2]) * 1000);
  const int stopId = argc > 4 ? _wtoi(argv[3]) : -1;
  const std::string stopState = argc > 4 ? "1 " + utf8(argv[4]) : std::string();
  for (const auto& [id, state] : shown) std::printf("0 %d %s\n", id, state.c_str());
  while (GetTickCount64() < end && IsWindow(window)) {
    Sleep(5);
    Controls now = read(window);
    for (const auto& [id, state] : now) {
      if (shown[id] != state) std::printf("%llu %d %s\n", GetTickCount64() - start, id, state.c_str());
    }
    shown = std::move(now);
    std::fflush(stdout);
    if (stopId >= 0 && shown[stopId] == stopState) break;
  }
  return 0;
}
