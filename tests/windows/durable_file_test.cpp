#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/temporary_file.h"
#include "tests/core/temp_folder.h"
#include "windows/durable_file.h"
#include "windows/file_claim.h"
#include "windows/held_file.h"
#include "windows/text.h"

namespace vertuno::testing {
namespace {

namespace fs = std::filesystem;
using windows::HeldFile;
using windows::removeStaleTemporaries;
using windows::replaceFileDurably;

std::set<std::wstring> namesIn(const fs::path& folder) {
  std::set<std::wstring> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().wstring());
  return names;
}

std::string contentOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(DurableFile, AReplaceUnderACyrillicNameLeavesOneFileAndClearsWhatGoneWritersLeft) {
  TempFolder temp;
  const fs::path folder = temp.path() / L"Игры Вертуно";
  fs::create_directory(folder);
  const fs::path target = folder / L"data1.ini";
  EXPECT_TRUE(replaceFileDurably(HeldFile((folder / L"нет/data1.ini").wstring()), "7\r\n"));
  const HeldFile held(target.wstring());
  ASSERT_FALSE(replaceFileDurably(held, "512\r\n"));
  ASSERT_FALSE(replaceFileDurably(held, "513\r\n"));
  EXPECT_EQ(contentOf(target), "513\r\n");
  EXPECT_EQ(windows::readFile(held, 4096), "513\r\n");
  EXPECT_EQ(namesIn(folder), std::set<std::wstring>{L"data1.ini"}) << "no temporary file is left behind";

  const std::wstring ours =
      windows::widen(platform::temporaryName("data1.ini", static_cast<long>(GetCurrentProcessId())));
  const std::wstring gone = windows::widen(platform::temporaryName("data1.ini", 1073741820));
  for (const std::wstring& name : {ours, gone, std::wstring(L"data1.ini.new-notapid")})
    std::ofstream(folder / name) << "1";
  removeStaleTemporaries(held);
  EXPECT_EQ(namesIn(folder), (std::set<std::wstring>{L"data1.ini", ours, L"data1.ini.new-notapid"}));
}

TEST(DurableFile, AFileMadeReadOnlyIsNotReplacedAndTheHeldFolderStaysWhereItIs) {
  TempFolder temp;
  const fs::path folder = temp.path() / L"game";
  fs::create_directory(folder);
  const fs::path target = folder / L"data1.ini";
  std::ofstream(target, std::ios::binary) << "512\r\n";
  const HeldFile held(target.wstring());
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(replaceFileDurably(held, "513\r\n").value(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(contentOf(target), "512\r\n");
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);

  EXPECT_FALSE(MoveFileW(folder.c_str(), (temp.path() / L"moved").c_str())) << "a save would not find it";
  EXPECT_FALSE(replaceFileDurably(held, "514\r\n"));
  EXPECT_EQ(contentOf(target), "514\r\n");
}

TEST(FileClaim, OneClaimPerFileThatEverySaveHandsOn) {
  TempFolder temp;
  const fs::path file = temp.path() / L"data1.ini";
  const std::wstring path = file.wstring();
  const HeldFile held(path);
  windows::FileClaim claim;
  ASSERT_EQ(claim.take(held), windows::FileClaim::Outcome::Taken);
  for (const char* money : {"513\r\n", "514\r\n"}) {
    windows::FileClaim later;
    EXPECT_EQ(later.take(HeldFile(path)), windows::FileClaim::Outcome::HeldElsewhere) << money;
    ASSERT_FALSE(replaceFileDurably(held, money, &claim));
  }
  windows::FileClaim later;
  EXPECT_EQ(later.take(HeldFile(path)), windows::FileClaim::Outcome::HeldElsewhere);
  EXPECT_EQ(contentOf(file), "514\r\n") << "the claim blocks no read";
}

}  // namespace
}  // namespace vertuno::testing
