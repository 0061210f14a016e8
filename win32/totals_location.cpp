#include "win32/totals_location.h"

#include <windows.h>
#include <shlobj.h>

#include "stats/totals_file.h"
#include "win32/durable_file.h"
#include "win32/text.h"

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

TotalsLocation chooseTotalsFile(const std::wstring& programFolder) {
  const std::wstring besideProgram = programFolder + L"\\data1.ini";
  // An installed game keeps each player's money apart, even for a player who may write there.
  const bool installed = isInstalledForAll(programFolder);
  const std::wstring folder = userFolder();
  if (folder.empty()) return {besideProgram, {}};
  const std::wstring userFile = folder + L"\\data1.ini";
  if (!installed && canWriteIn(programFolder)) return {besideProgram, userFile};
  CreateDirectoryW(folder.c_str(), nullptr);
  CopyFileW(besideProgram.c_str(), userFile.c_str(), TRUE);  // only where the user has none yet
  return {userFile, installed ? std::wstring() : besideProgram};
}

void adoptLaterMoney(const TotalsLocation& location, FileClaim& claim) {
  if (location.otherPlace.empty()) return;
  if (const auto money = laterMoneyElsewhere(narrow(location.file), narrow(location.otherPlace))) {
    replaceFileDurably(location.file, *money, &claim);
  }
}

}  // namespace vertuno::win32
