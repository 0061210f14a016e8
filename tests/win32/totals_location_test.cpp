#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "tests/core/temp_folder.h"
#include "win32/one_machine_per_file.h"
#include "win32/totals_location.h"
#include "windows/text.h"

namespace vertuno::testing {
namespace {

namespace fs = std::filesystem;

TEST(TotalsLocation, APortableCopyKeepsItsMoneyBesideItselfAnInstalledGameInTheUsersFolder) {
  TempFolder temp;
  const TotalsLocation own = win32::chooseTotalsFile(temp.path().wstring());
  EXPECT_EQ(fs::path(windows::widen(own.file)), temp.path() / L"data1.ini");
  EXPECT_EQ(own.carryFrom, "");

  std::ofstream(temp.path() / L"installed") << "";
  const TotalsLocation installed = win32::chooseTotalsFile(temp.path().wstring());
  EXPECT_EQ(fs::path(windows::widen(installed.file)).filename(), L"data1.ini");
  EXPECT_EQ(fs::path(windows::widen(installed.file)).parent_path().filename(), L"Vertuno");
  EXPECT_EQ(installed.carryFrom, "");
}

TEST(TotalsLocation, TheStandInsMoneyComesHomeUnderTheClaimAndTheStandInGoes) {
  TempFolder temp;
  const fs::path home = temp.path() / L"data1.ini";
  const fs::path standIn = temp.path() / L"data1-0123456789abcdef.ini";
  std::ofstream(standIn, std::ios::binary) << "600\r\n";
  const TotalsLocation location{windows::narrow(home.wstring()), windows::narrow(standIn.wstring()), true};
  {
    win32::OneMachinePerFile files(location);
    ASSERT_EQ(claimMoney(files, location).outcome, Start::Outcome::Play);
    std::ifstream in(home, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "600\r\n");
    EXPECT_EQ(windows::FileClaim().take(windows::HeldFile(home.wstring())), windows::FileClaim::Outcome::HeldElsewhere)
        << "the claim goes along";
  }
  EXPECT_FALSE(fs::exists(standIn)) << "gone once the start lets its claim on it go";
}

}  // namespace
}  // namespace vertuno::testing
