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

// Whether the folder lies in Program Files, where an installer puts programs for every user.
bool isInstalledForAll(const std::wstring& folder) {
  for (const KNOWNFOLDERID& id : {FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86}) {
    PWSTR programFiles = nullptr;
    bool inside = false;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &programFiles))) {
      const std::wstring root = std::wstring(programFiles) + L"\\";
      inside = folder.size() > root.size() &&
               CompareStringOrdinal(folder.c_str(), static_cast<int>(root.size()), root.c_str(),
                                    static_cast<int>(root.size()), TRUE) == CSTR_EQUAL;
    }
    CoTaskMemFree(programFiles);
    if (inside) return true;
  }
  return false;
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
  // An installed game keeps each player's money apart, even for a player who may write there.
  const bool besideIt = !isInstalledForAll(programFolder) && canWriteIn(programFolder);
  const std::wstring folder = besideIt ? std::wstring() : userFolder();
  if (folder.empty()) return besideProgram;
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring userFile = folder + L"\\data1.ini";
  CopyFileW(besideProgram.c_str(), userFile.c_str(), TRUE);  // only where the user has none yet
  return userFile;
}

}  // namespace vertuno::win32
