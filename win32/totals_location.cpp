#include "win32/totals_location.h"

#include <windows.h>
#include <shlobj.h>

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

std::wstring userFolder() {
  PWSTR roaming = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &roaming))) {
    folder = std::wstring(roaming) + L"\\Vertuno";
  }
  CoTaskMemFree(roaming);
  return folder;
}

}  // namespace

std::wstring chooseTotalsFile(const std::wstring& programFolder) {
  const std::wstring besideProgram = programFolder + L"\\data1.ini";
  const std::wstring folder = canWriteIn(programFolder) ? std::wstring() : userFolder();
  if (folder.empty()) return besideProgram;
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring userFile = folder + L"\\data1.ini";
  CopyFileW(besideProgram.c_str(), userFile.c_str(), TRUE);  // only where the user has none yet
  return userFile;
}

}  // namespace vertuno::win32
