#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "game/numeric_text.h"

namespace vertuno {
namespace {

TEST(NumericText, ReadsDecimalTextIgnoringSurroundingWhiteSpace) {
  EXPECT_EQ(readNumber("512"), 512);
  EXPECT_EQ(readNumber(" 512 "), 512);
  EXPECT_EQ(readNumber("512\r\n"), 512);
  EXPECT_EQ(readNumber("\t-488\n"), -488);
  EXPECT_EQ(readNumber("077"), 77);
  EXPECT_EQ(readNumber("00"), 0);
  EXPECT_EQ(readNumber("1e3"), 1000);
  EXPECT_EQ(readNumber("+5"), 5);
  EXPECT_EQ(readNumber("0.5"), 0.5);
}

TEST(NumericText, TextThatHoldsNoFiniteNumberFails) {
  for (const char* text : {"", " ", "\r\n", "abc", "12abc", "x42", "Razdacha", "1 2", "inf", "-inf", "nan", "1e999",
                           "+", "-", "+-1", "1,5", "0x10"}) {
    EXPECT_FALSE(readNumber(text).has_value()) << '"' << text << '"';
  }
}

TEST(NumericText, WritesTheShortestPlainDecimalText) {
  EXPECT_EQ(writeNumber(19), "19");
  EXPECT_EQ(writeNumber(500), "500");
  EXPECT_EQ(writeNumber(-488), "-488");
  EXPECT_EQ(writeNumber(-0.0), "0");
  EXPECT_EQ(writeNumber(0.5), "0.5");
  EXPECT_EQ(writeNumber(1e20), "100000000000000000000");
  EXPECT_EQ(writeNumber(1234567), "1234567");
}

// A locale whose decimal point is a comma and whose numbers are grouped with dots.
struct GermanPunctuation : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(NumericText, DoesNotDependOnTheProcessLocale) {
  const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new GermanPunctuation));
  const bool haveCLocale =
      std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr || std::setlocale(LC_ALL, "ru_RU.UTF-8") != nullptr;
  EXPECT_EQ(readNumber("512"), 512);
  EXPECT_EQ(readNumber("0.5"), 0.5);
  EXPECT_FALSE(readNumber("0,5").has_value());
  EXPECT_EQ(writeNumber(-488), "-488");
  EXPECT_EQ(writeNumber(1234567), "1234567");
  EXPECT_EQ(writeNumber(2.5), "2.5");
  std::locale::global(previous);
  if (haveCLocale) std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace vertuno
