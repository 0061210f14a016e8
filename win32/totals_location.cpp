#include "win32/totals_location.h"

#include <windows.h>

#include "stats/money_place.h"
#include "windows/text.h"

namespace vertuno::win32 {

namespace {

bool canWriteIn(const std::wstring& folder) {
  const std::wstring probe = folder + L"\\.vertuno-probe-" + std::to_wstring(GetCurrentProcessId());
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The roaming application data folder as Windows gives every process in its environment: asking
// the shell for the known folder would load the shell's library before the first window.
std::wstring userFolder() {
  const DWORD length = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
  if (length <= 1) return {};
  std::wstring roaming(length, L'\0');
  if (GetEnvironmentVariableW(L"APPDATA", roaming.data(), length) != length - 1) return {};
  roaming.resize(length - 1);
  if (!CreateDirectoryW(roaming.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return {};
  return roaming + L"\\Vertuno";
}

}  // namespace

TotalsLocation chooseTotalsFile(const std::wstring& programFolder) {
  const std::wstring folder = userFolder();
  // Windows names files without regard to case: one folder, one stand-in.
  std::wstring folderName = programFolder;
  CharLowerBuffW(folderName.data(), static_cast<DWORD>(folderName.size()));
  const std::wstring standIn = folder + L"\\" + windows::widen(standInName(windows::narrow(folderName)));
  MoneyFacts facts;
  facts.installed = exists(programFolder + L"\\installed");
  facts.folderWritable = canWriteIn(programFolder);
  facts.standInPresent = exists(standIn);
  const std::string besideProgram = windows::narrow(programFolder + L"\\data1.ini");
  // With no user folder to be had, none is named, and the money stays beside the program.
  const MoneyPaths paths =
      folder.empty() ? MoneyPaths{besideProgram, {}, {}}
                     : MoneyPaths{besideProgram, windows::narrow(folder + L"\\data1.ini"), windows::narrow(standIn)};
  const TotalsLocation location = locateMoney(facts, paths);
  if (location.file != paths.besideProgram) CreateDirectoryW(folder.c_str(), nullptr);
  return location;
}

}  // namespace vertuno::win32
