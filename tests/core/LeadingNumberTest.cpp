#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/ArithmeticFault.h"
#include "core/LeadingNumber.h"

namespace tarnwick {
namespace {

TEST(LeadingNumber, ReadsUpToTheFirstCharacterThatDoesNotFit) {
  EXPECT_EQ(ReadLeadingNumber("1000"), 1000.0);
  EXPECT_EQ(ReadLeadingNumber("12abc"), 12.0);
  EXPECT_EQ(ReadLeadingNumber("1,500"), 1.0);
  EXPECT_EQ(ReadLeadingNumber("1.2.3"), 1.2);
  EXPECT_EQ(ReadLeadingNumber("12.5kg"), 12.5);
  EXPECT_EQ(ReadLeadingNumber(".5"), 0.5);
  EXPECT_EQ(ReadLeadingNumber("5."), 5.0);
}

TEST(LeadingNumber, TextWithoutANumberIsZero) {
  EXPECT_EQ(ReadLeadingNumber(""), 0.0);
  EXPECT_EQ(ReadLeadingNumber("abc"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("-"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("."), 0.0);
  EXPECT_EQ(ReadLeadingNumber("E5"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("--5"), 0.0);
  EXPECT_FALSE(std::signbit(ReadLeadingNumber("-0")));
}

TEST(LeadingNumber, SignsAndBlanksAnywhere) {
  EXPECT_EQ(ReadLeadingNumber("-250"), -250.0);
  EXPECT_EQ(ReadLeadingNumber("+7"), 7.0);
  EXPECT_EQ(ReadLeadingNumber(" 1 2 3 "), 123.0);
  EXPECT_EQ(ReadLeadingNumber("\t-\n4 5"), -45.0);
  EXPECT_EQ(ReadLeadingNumber("1 . 5 e 2"), 150.0);
  EXPECT_EQ(ReadLeadingNumber("1\r2"), 1.0) << "a carriage return is not a skipped blank";
}

TEST(LeadingNumber, ExponentWithEOrD) {
  EXPECT_EQ(ReadLeadingNumber("1E3"), 1000.0);
  EXPECT_EQ(ReadLeadingNumber("2d2"), 200.0);
  EXPECT_EQ(ReadLeadingNumber("1.5e+2"), 150.0);
  EXPECT_EQ(ReadLeadingNumber("25E-2"), 0.25);
  EXPECT_EQ(ReadLeadingNumber("1e"), 1.0);
  EXPECT_EQ(ReadLeadingNumber("1ex"), 1.0);
}

TEST(LeadingNumber, HexadecimalAndOctalWrapAt16And32Bits) {
  EXPECT_EQ(ReadLeadingNumber("&HFF"), 255.0);
  EXPECT_EQ(ReadLeadingNumber("&hff"), 255.0);
  EXPECT_EQ(ReadLeadingNumber("&H7FFF"), 32767.0);
  EXPECT_EQ(ReadLeadingNumber("&H8000"), -32768.0);
  EXPECT_EQ(ReadLeadingNumber("&HFFFF"), -1.0);
  EXPECT_EQ(ReadLeadingNumber("&H10000"), 65536.0);
  EXPECT_EQ(ReadLeadingNumber("&HFFFFFFFF"), -1.0);
  EXPECT_EQ(ReadLeadingNumber("&H1G"), 1.0);
  EXPECT_EQ(ReadLeadingNumber("&O777"), 511.0);
  EXPECT_EQ(ReadLeadingNumber("&O177777"), -1.0);
  EXPECT_EQ(ReadLeadingNumber("&O8"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("&X1"), 0.0);
  EXPECT_THROW(ReadLeadingNumber("&H100000000"), OverflowFault);
}

TEST(LeadingNumber, BeyondDoubleRangeOverflowsAndTinyValuesReadAsZero) {
  EXPECT_THROW(ReadLeadingNumber("1e400"), OverflowFault);
  EXPECT_THROW(ReadLeadingNumber("-1e400"), OverflowFault);
  EXPECT_THROW(ReadLeadingNumber(std::string(400, '9')), OverflowFault);
  EXPECT_THROW(ReadLeadingNumber("1e99999999999999999999"), OverflowFault);
  EXPECT_EQ(ReadLeadingNumber("1e-400"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("0.000e999999"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("0." + std::string(400, '0') + "1e400"), 1e-1);
}

TEST(LeadingNumber, ExponentAndDigitCountCombineWhateverTheTextLength) {
  const std::string zeros(150000, '0');
  EXPECT_THROW(ReadLeadingNumber("0." + zeros + "1e200000"), OverflowFault);
  EXPECT_EQ(ReadLeadingNumber("1" + zeros + "e-200000"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("1" + zeros + "e-150000"), 1.0);
  EXPECT_THROW(ReadLeadingNumber("1e" + std::string(40, '9')), OverflowFault);
  EXPECT_EQ(ReadLeadingNumber("1e-" + std::string(40, '9')), 0.0);
}

}  // namespace
}  // namespace tarnwick
