#include "win32/one_machine_per_file.h"

#include <functional>

#include "stats/totals_file.h"
#include "windows/durable_file.h"
#include "windows/text.h"

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

OneMachinePerFile::OneMachinePerFile(const TotalsLocation& location) {
  played_.held = windows::HeldFile(windows::widen(location.file));
  if (!location.carryFrom.empty()) carried_.held = windows::HeldFile(windows::widen(location.carryFrom));
}

// A game that does not answer so (the Linux one, under Wine) is silent.
MoneyFiles::Answer OneMachinePerFile::askHolderForward(File file, std::string&) {
  // EnumWindows reports FALSE when the callback stopped it: a marked window was found.
  const bool found = !EnumWindows(bringForwardIfMarked, static_cast<LPARAM>(markOf(of(file).held.path())));
  return found ? Answer::Shown : Answer::NoAnswer;
}

std::optional<std::string> OneMachinePerFile::read(File file) {
  return windows::readFile(of(file).held, LargestTotalsFile);
}

bool OneMachinePerFile::replace(File file, const std::string& bytes) {
  return !windows::replaceFileDurably(of(file).held, bytes, &of(file).claim);
}

void OneMachinePerFile::remove(File file) { windows::removeFile(of(file).held); }

void OneMachinePerFile::removeStaleTemporaries() { windows::removeStaleTemporaries(played_.held); }

void OneMachinePerFile::markWindow(HWND window) const {
  SetPropW(window, MarkProperty, reinterpret_cast<HANDLE>(markOf(played_.held.path())));
}

}  // namespace vertuno::win32
