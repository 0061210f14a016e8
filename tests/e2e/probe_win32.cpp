// Reads a running Windows program's window as a screen reader would:
//   probe TITLE                      prints "ID VISIBLE TEXT" for each control of the top-level
//                                    window of that exact title;
//   probe TITLE SECONDS [ID TEXT]    watches it, printing "MS ID VISIBLE TEXT" whenever a
//                                    control changes, until control ID shows TEXT.
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

std::string utf8(const std::wstring& wide) {
  std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  HWND window = FindWindowW(nullptr, argv[1]);
  if (!window) return 1;
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
