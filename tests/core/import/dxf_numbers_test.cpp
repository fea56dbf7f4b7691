// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace velora {
namespace {

TEST(DxfNumbersTest, DoublesReadTheirLongestNumericPrefix) {
    EXPECT_DOUBLE_EQ(ParseDxfDouble("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("-0.25"), -0.25);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("+3"), 3.0);
    EXPECT_DOUBLE_EQ(ParseDxfDouble(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("7."), 7.0);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("1.5e3"), 1500.0);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("1.5E-2"), 0.015);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("2e+2"), 200.0);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("  42"), 42.0);
    // Trailing garbage ends the number; an incomplete exponent is not part
    // of it.
    EXPECT_DOUBLE_EQ(ParseDxfDouble("3.25mm"), 3.25);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("4e"), 4.0);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("4e+"), 4.0);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("0x1A"), 0.0);
}

TEST(DxfNumbersTest, TextWithoutNumericPrefixReadsAsZero) {
    for (const char* text : {"", "abc", "-", "+", ".", "-.", "e5", "inf", "nan", "- 1", "--1"}) {
        const double value = ParseDxfDouble(text);
        EXPECT_EQ(value, 0.0) << text;
    }
}

TEST(DxfNumbersTest, OutOfRangeDoublesOverflowToInfinityAndUnderflowToZero) {
    EXPECT_EQ(ParseDxfDouble("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDxfDouble("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDxfDouble("123456e99999999999999999999"),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDxfDouble("1e-400"), 0.0);
    EXPECT_EQ(ParseDxfDouble("0.0000001e-320"), 0.0);
    EXPECT_EQ(ParseDxfDouble("-5e-99999999999999999999"), 0.0);
    // Long mantissas are fine as long as the value fits.
    EXPECT_DOUBLE_EQ(ParseDxfDouble("0." + std::string(400, '0') + "1e405"), 1e4);
    EXPECT_DOUBLE_EQ(ParseDxfDouble(std::string(400, '0') + "2"), 2.0);
}

TEST(DxfNumbersTest, DoublesIgnoreTheProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    // A locale with a decimal comma, when the system has one.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale";
    EXPECT_DOUBLE_EQ(ParseDxfDouble("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(ParseDxfDouble("2,5"), 2.0);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(DxfNumbersTest, IntegersReadTheirPrefixAndClampToIntRange) {
    EXPECT_EQ(ParseDxfInt("1"), 1);
    EXPECT_EQ(ParseDxfInt("  129"), 129);
    EXPECT_EQ(ParseDxfInt("-7"), -7);
    EXPECT_EQ(ParseDxfInt("+12abc"), 12);
    EXPECT_EQ(ParseDxfInt("1.9"), 1);
    EXPECT_EQ(ParseDxfInt("x1"), 0);
    EXPECT_EQ(ParseDxfInt(""), 0);
    EXPECT_EQ(ParseDxfInt("-"), 0);
    EXPECT_EQ(ParseDxfInt("2147483647"), 2147483647);
    EXPECT_EQ(ParseDxfInt("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(ParseDxfInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(ParseDxfInt("-99999999999999999999"), std::numeric_limits<int>::min());
}

}  // namespace
}  // namespace velora
