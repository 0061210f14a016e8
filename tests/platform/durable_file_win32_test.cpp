#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "win32/durable_file.h"
#include "win32/file_claim.h"
#include "unit/temp_folder.h"

namespace vertuno::testing {
namespace {

namespace fs = std::filesystem;
using win32::removeStaleTemporaries;
using win32::replaceFileDurably;

std::set<std::wstring> namesIn(const fs::path& folder) {
  std::set<std::wstring> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().wstring());
  return names;
}

TEST(DurableFile, AReplaceUnderACyrillicNameLeavesOneFileAndClearsWhatGoneWritersLeft) {
  TempFolder temp;
  const fs::path folder = temp.path() / L"Игры Вертуно";
  fs::create_directory(folder);
  const fs::path target = folder / L"data1.ini";
  EXPECT_TRUE(replaceFileDurably((folder / L"нет/data1.ini").wstring(), "7\r\n"));
  ASSERT_FALSE(replaceFileDurably(target.wstring(), "512\r\n"));
  ASSERT_FALSE(replaceFileDurably(target.wstring(), "513\r\n"));
  std::ifstream in(target, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "513\r\n");
  EXPECT_EQ(namesIn(folder), std::set<std::wstring>{L"data1.ini"}) << "no temporary file is left behind";

  const std::wstring ours = L"data1.ini.new-" + std::to_wstring(GetCurrentProcessId());
  for (const std::wstring& name : {ours, std::wstring(L"data1.ini.new-notapid"), std::wstring(L"data1.ini.new-1073741820")})
    std::ofstream(folder / name) << "1";
  removeStaleTemporaries(target.wstring());
  EXPECT_EQ(namesIn(folder), (std::set<std::wstring>{L"data1.ini", ours, L"data1.ini.new-notapid"}));
}

TEST(FileClaim, OneClaimPerFileThatEverySaveHandsOn) {
  TempFolder temp;
  const fs::path file = temp.path() / L"data1.ini";
  const std::wstring path = file.wstring();
  win32::FileClaim claim;
  ASSERT_EQ(claim.take(path), win32::FileClaim::Outcome::Taken);
  for (const char* money : {"513\r\n", "514\r\n"}) {
    win32::FileClaim later;
    EXPECT_EQ(later.take(path), win32::FileClaim::Outcome::HeldElsewhere) << money;
    ASSERT_FALSE(replaceFileDurably(path, money, &claim));
  }
  win32::FileClaim later;
  EXPECT_EQ(later.take(path), win32::FileClaim::Outcome::HeldElsewhere);
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "514\r\n") << "the claim blocks no read";
}

}  // namespace
}  // namespace vertuno::testing
