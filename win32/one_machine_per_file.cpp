#include "win32/one_machine_per_file.h"

#include <functional>

namespace vertuno::win32 {

namespace {

constexpr wchar_t MarkProperty[] = L"Vertuno.TotalsFile";

// Windows names files without regard to case.
std::size_t markOf(std::wstring path) {
  CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
  return std::hash<std::wstring>{}(path) | 1;  // never 0, which a window without the mark reads
}

BOOL CALLBACK bringForwardIfMarked(HWND window, LPARAM mark) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (std::wstring_view(className) != L"VertunoMachine" ||
      reinterpret_cast<LPARAM>(GetPropW(window, MarkProperty)) != mark) {
    return TRUE;
  }
  ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  return FALSE;
}

}  // namespace

OneMachinePerFile::OneMachinePerFile(const std::wstring& totalsFile, const std::wstring& carriedFile)
    : carries_(!carriedFile.empty()) {
  played_.held = windows::HeldFile(totalsFile);
  if (carries_) carried_.held = windows::HeldFile(carriedFile);
}

OneMachinePerFile::Start OneMachinePerFile::claim() {
  const Start start = claimOne(played_);
  return start == Start::Play && carries_ ? claimOne(carried_) : start;
}

OneMachinePerFile::Start OneMachinePerFile::claimOne(ClaimedFile& file) const {
  if (file.claim.take(file.held) != windows::FileClaim::Outcome::HeldElsewhere) return Start::Play;
  // EnumWindows reports FALSE when the callback stopped it: a marked window was found.
  const bool found = !EnumWindows(bringForwardIfMarked, static_cast<LPARAM>(markOf(file.held.path())));
  return found ? Start::HandedOver : Start::Refused;
}

void OneMachinePerFile::markWindow(HWND window) const {
  SetPropW(window, MarkProperty, reinterpret_cast<HANDLE>(markOf(played_.held.path())));
}

}  // namespace vertuno::win32
