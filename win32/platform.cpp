#include "win32/platform.h"

#include <mmsystem.h>

#include <cstdio>

#include "machine/layout.h"
#include "windows/durable_file.h"
#include "windows/text.h"

namespace vertuno::win32 {

void dispatch(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && GetWindow(root, GW_OWNER) && IsDialogMessageW(root, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

Win32Platform::Win32Platform(std::wstring programFolder, std::wstring totalsFile)
    : programFolder_(std::move(programFolder)), totalsFile_(std::move(totalsFile)) {}

void Win32Platform::startWindowTimers() {
  SetTimer(timerWindow_, Timer2, machine_window::Timer2IntervalMs, nullptr);
  SetTimer(timerWindow_, Timer3, machine_window::Timer3IntervalMs, nullptr);
}

void Win32Platform::pumpEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) endProgram(static_cast<int>(message.wParam));
    dispatch(message);
  }
}

// Sleeps until a message arrives, then dispatches what is there: a wait never spins.
void Win32Platform::waitForEvents() {
  MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  pumpEvents();
}

void Win32Platform::armWaitTimer(int intervalMs) {
  SetTimer(timerWindow_, Timer1, static_cast<UINT>(intervalMs), nullptr);
}

void Win32Platform::disarmWaitTimer() { KillTimer(timerWindow_, Timer1); }

// The sound library loads at the first sound, not before the window: the start waits for no
// library it does not need yet.
void Win32Platform::playSound(const std::string& name) {
  using PlaySoundProc = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
  static const auto play = [] {
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    // From the system folder alone: a winmm.dll planted beside the program is never loaded.
    HMODULE library =
        length && length < MAX_PATH ? LoadLibraryW((std::wstring(system, length) + L"\\winmm.dll").c_str()) : nullptr;
    return library ? reinterpret_cast<PlaySoundProc>(reinterpret_cast<void*>(GetProcAddress(library, "PlaySoundW")))
                   : nullptr;
  }();
  if (play)
    play((programFolder_ + L'\\' + windows::widen(name)).c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

void Win32Platform::reseedRandom() { random_.reseed(); }

double Win32Platform::nextRandom() { return random_.next(); }

std::string Win32Platform::totalsFilePath() { return windows::narrow(totalsFile_); }

std::optional<std::string> Win32Platform::readFile(const std::string& path, std::size_t largest) {
  if (totalsHeld_ && path == totalsFilePath()) return windows::readFile(*totalsHeld_, largest);
  return windows::readFile(windows::HeldFile(windows::widen(path)), largest);
}

std::error_code Win32Platform::replaceFile(const std::string& path, const std::string& bytes) {
  if (totalsHeld_ && path == totalsFilePath()) return windows::replaceFileDurably(*totalsHeld_, bytes, claim_);
  return windows::replaceFileDurably(windows::HeldFile(windows::widen(path)), bytes);
}

void Win32Platform::endProgram(int status) {
  std::fflush(nullptr);
  ExitProcess(static_cast<UINT>(status));
}

}  // namespace vertuno::win32
