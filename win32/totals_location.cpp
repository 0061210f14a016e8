#include "win32/totals_location.h"

#include <windows.h>
#include <shlobj.h>

#include "stats/money_place.h"
#include "stats/totals_file.h"
#include "windows/durable_file.h"
#include "windows/held_file.h"
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
  const std::wstring folder = userFolder();
  // Windows names files without regard to case: one folder, one stand-in.
  std::wstring folderName = programFolder;
  CharLowerBuffW(folderName.data(), static_cast<DWORD>(folderName.size()));
  const std::wstring standIn = folder + L"\\" + windows::widen(standInName(windows::narrow(folderName)));
  MoneyFacts facts;
  facts.installed = exists(programFolder + L"\\installed");
  facts.folderWritable = canWriteIn(programFolder);
  facts.standInPresent = !folder.empty() && exists(standIn);
  const MoneyPlan plan = planMoneyPlace(facts);
  const auto path = [&](MoneyFile file) {
    switch (file) {
      case MoneyFile::BesideProgram: return besideProgram;
      case MoneyFile::UserFile: return folder + L"\\data1.ini";
      case MoneyFile::StandIn: return standIn;
    }
    return std::wstring();
  };
  // With no user folder to be had, the money can only stay beside the program.
  if (folder.empty()) return {besideProgram, {}, false};
  if (plan.playOn != MoneyFile::BesideProgram) CreateDirectoryW(folder.c_str(), nullptr);
  return {path(plan.playOn), plan.carry ? path(plan.carry->from) : std::wstring(), plan.carry && plan.carry->removeSource};
}

void carryMoney(const TotalsLocation& location, const windows::HeldFile& from, const windows::HeldFile& to, windows::FileClaim& toClaim) {
  if (const auto money = carriedMoney(windows::readFile(from, LargestTotalsFile))) {
    if (windows::replaceFileDurably(to, *money, &toClaim)) return;
  }
  if (location.removeCarried) removeFile(from);
}

}  // namespace vertuno::win32
