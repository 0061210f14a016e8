#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>

#include "win32/file_claim.h"
#include "win32/totals_location.h"
#include "unit/temp_folder.h"

namespace vertuno::testing {
namespace {

namespace fs = std::filesystem;

TEST(TotalsLocation, AStartTakesTheOtherPlacesMoneyUnderItsClaimAnInstalledGameHasOnePlace) {
  TempFolder temp;
  const win32::TotalsLocation own = win32::chooseTotalsFile(temp.path().wstring());
  ASSERT_EQ(fs::path(own.file), temp.path() / L"data1.ini");
  const win32::TotalsLocation there{own.file, (temp.path() / L"Вертуно.ini").wstring()};
  std::ofstream(fs::path(there.otherPlace), std::ios::binary) << "600\r\n";
  win32::FileClaim claim;
  ASSERT_EQ(claim.take(own.file), win32::FileClaim::Outcome::Taken);  // made empty, as at a start
  win32::adoptLaterMoney(there, claim);
  EXPECT_EQ(temp.read("data1.ini"), "600\r\n");
  EXPECT_EQ(win32::FileClaim().take(own.file), win32::FileClaim::Outcome::HeldElsewhere) << "the claim goes along";

  PWSTR programFiles = nullptr;
  ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramFiles, 0, nullptr, &programFiles)));
  const win32::TotalsLocation installed = win32::chooseTotalsFile(std::wstring(programFiles) + L"\\Vertuno");
  CoTaskMemFree(programFiles);
  EXPECT_EQ(installed.file, own.otherPlace);
  EXPECT_EQ(installed.otherPlace, L"");
}

}  // namespace
}  // namespace vertuno::testing
