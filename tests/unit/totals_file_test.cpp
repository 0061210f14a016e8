#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <tuple>

#include "stats/totals_file.h"
#include "unit/fake_host.h"
#include "unit/temp_folder.h"

namespace vertuno::testing {
namespace {

namespace fs = std::filesystem;

class TotalsFile : public ::testing::Test {
 protected:
  void SetUp() override { host.totalsPath = folder.file("data1.ini"); }
  std::string load() {
    host.machine().OpenStatic();
    return host.state().Info.MachineMoney;
  }
  TempFolder folder;
  FakeHost host;
};

TEST_F(TotalsFile, ALineOfMoneyIsReadWithoutItsLineEndsOrByteOrderMark) {
  for (const char* bytes : {"512\r\n", "512", "512\r\n\r\n", "512\n", "\xEF\xBB\xBF" "512\r\n"}) {
    folder.write("data1.ini", bytes);
    EXPECT_EQ(load(), "512");
    EXPECT_EQ(host.state().Info.Takings, "-488");
  }
  host.machine().SaveStatic();
  EXPECT_EQ(folder.read("data1.ini"), "512\r\n");
}

TEST_F(TotalsFile, ALoadThenASaveWritesTheFileBackByteForByte) {
  for (const char* bytes : {"512\r\n", "-5\r\n", "1e3\r\n", " 512 \r\n", "0\r\n"}) {
    folder.write("data1.ini", bytes);
    host.machine().OpenStatic();
    host.machine().SaveStatic();
    EXPECT_EQ(folder.read("data1.ini"), bytes);
  }
}

TEST_F(TotalsFile, BadFilesGiveAFreshMachineAndAValidFileAfterTheNextSave) {
  const std::string huge(5 * 1024 * 1024, '7');
  const std::string binary("\x00\xff\x12\r\n\x00", 6);
  struct Case { const char* name; std::function<void()> make; };
  const Case cases[] = {
      {"missing", [] {}},
      {"empty", [&] { folder.write("data1.ini", ""); }},
      {"letters", [&] { folder.write("data1.ini", "abc\r\n"); }},
      {"infinite", [&] { folder.write("data1.ini", "inf\r\n"); }},
      {"too large a number", [&] { folder.write("data1.ini", "1e999\r\n"); }},
      {"absurd money", [&] { folder.write("data1.ini", "1e300\r\n"); }},
      {"5 MiB", [&] { folder.write("data1.ini", huge); }},
      {"binary", [&] { folder.write("data1.ini", binary); }},
      {"a folder", [&] { fs::create_directory(folder.path() / "data1.ini"); }},
  };
  for (const Case& c : cases) {
    fs::remove_all(folder.path() / "data1.ini");
    c.make();
    EXPECT_EQ(load(), "1000") << c.name;
    EXPECT_EQ(host.state().Info.Takings, "0") << c.name;
    host.machine().SaveStatic();
    if (fs::is_regular_file(folder.path() / "data1.ini")) {
      EXPECT_EQ(folder.read("data1.ini"), "1000\r\n") << c.name;
    }
  }
}

TEST(LaterMoneyElsewhere, TheOtherPlacesMoneyIsTakenWhenLaterOrTheOnlyMoney) {
  TempFolder folder;
  for (auto [name, bytes, hours] :
       {std::tuple{"early", "512\r\n", 2}, {"late", "\xEF\xBB\xBF" "600\r\n", 1}, {"empty", "", 0}}) {
    folder.write(name, bytes);
    fs::last_write_time(folder.path() / name, fs::file_time_type::clock::now() - std::chrono::hours(hours));
  }
  if (fs::last_write_time(folder.path() / "early") >= fs::last_write_time(folder.path() / "late")) {
    GTEST_SKIP() << "this file system does not keep the write times set";  // node's, under WebAssembly
  }
  const auto taken = [&](const char* own, const char* other) {
    return laterMoneyElsewhere(folder.file(own), folder.file(other));
  };
  EXPECT_EQ(taken("early", "late"), "600\r\n");
  EXPECT_EQ(taken("late", "early"), std::nullopt);
  EXPECT_EQ(taken("empty", "early"), "512\r\n") << "a file just claimed holds no money";
  EXPECT_EQ(taken("early", "empty"), std::nullopt);
}

}  // namespace
}  // namespace vertuno::testing
