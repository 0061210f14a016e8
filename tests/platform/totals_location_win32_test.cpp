#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "windows/file_claim.h"
#include "windows/held_file.h"
#include "win32/totals_location.h"
#include "unit/temp_folder.h"

namespace vertuno::testing {
namespace {

namespace fs = std::filesystem;

TEST(TotalsLocation, APortableCopyKeepsItsMoneyBesideItselfAnInstalledGameInTheUsersFolder) {
  TempFolder temp;
  const win32::TotalsLocation own = win32::chooseTotalsFile(temp.path().wstring());
  EXPECT_EQ(fs::path(own.file), temp.path() / L"data1.ini");
  EXPECT_EQ(own.carryFrom, L"");

  std::ofstream(temp.path() / L"installed") << "";
  const win32::TotalsLocation installed = win32::chooseTotalsFile(temp.path().wstring());
  EXPECT_EQ(fs::path(installed.file).filename(), L"data1.ini");
  EXPECT_EQ(fs::path(installed.file).parent_path().filename(), L"Vertuno");
  EXPECT_EQ(installed.carryFrom, L"");
}

TEST(TotalsLocation, TheStandInsMoneyComesHomeUnderTheClaimAndTheStandInGoes) {
  TempFolder temp;
  const fs::path home = temp.path() / L"data1.ini";
  const fs::path standIn = temp.path() / L"data1-0123456789abcdef.ini";
  std::ofstream(standIn, std::ios::binary) << "600\r\n";
  const win32::TotalsLocation location{home.wstring(), standIn.wstring(), true};
  const windows::HeldFile played(location.file);
  windows::FileClaim claim;
  ASSERT_EQ(claim.take(played), windows::FileClaim::Outcome::Taken);  // made empty, as at a start
  win32::carryMoney(location, windows::HeldFile(location.carryFrom), played, claim);
  std::ifstream in(home, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "600\r\n");
  EXPECT_FALSE(fs::exists(standIn));
  EXPECT_EQ(windows::FileClaim().take(windows::HeldFile(location.file)), windows::FileClaim::Outcome::HeldElsewhere)
      << "the claim goes along";
}

}  // namespace
}  // namespace vertuno::testing
