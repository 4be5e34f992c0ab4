#include "core/text/NumericValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace talmir::text {
namespace {

struct ValueCase {
    const char* name;
    std::string text;
    double want;
    std::size_t consumed;
};

class NumericValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(NumericValueTest, Reads) {
    const ValueCase& c = GetParam();
    std::size_t consumed = 99;
    const double value = numericValue(c.text, consumed);
    EXPECT_EQ(value, c.want);
    EXPECT_EQ(std::signbit(value), std::signbit(c.want));
    EXPECT_EQ(consumed, c.consumed);
}

const double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValueTest,
    testing::Values(
        ValueCase{"Empty", "", 0, 0}, ValueCase{"OnlyBlanks", "   ", 0, 0},
        ValueCase{"NoNumber", "X10", 0, 0}, ValueCase{"LonePoint", ".", 0, 0},
        ValueCase{"LoneSign", "-", 0, 0}, ValueCase{"Integer", "120", 120, 3},
        ValueCase{"StopsAtTheNextWord", "10.Y20.", 10, 3},
        ValueCase{"ToolCodeStopsAtC", "01C1.0", 1, 2}, ValueCase{"LeadingPoint", ".5", 0.5, 2},
        ValueCase{"TrailingPoint", "5.", 5, 2}, ValueCase{"SecondPointStops", "1.2.3", 1.2, 3},
        ValueCase{"Negative", "-12.5", -12.5, 5}, ValueCase{"Plus", "+7", 7, 2},
        ValueCase{"MinusZeroKeepsItsSign", "-0", -0.0, 2},
        ValueCase{"DoubleSignIsNoNumber", "--5", 0, 0},
        ValueCase{"BlanksAnywhere", " - 1 2 . 5 X", -12.5, 10},
        ValueCase{"TabsAndLineFeeds", "\t1\n2", 12, 4}, ValueCase{"Exponent", "1.5E3X", 1500, 5},
        ValueCase{"SmallExponent", "25e-2", 0.25, 5},
        ValueCase{"ExponentWithPlusAndBlanks", "1 E + 2", 100, 7},
        ValueCase{"ExponentWithoutDigits", "1E", 1, 1},
        ValueCase{"ExponentWithOnlyASign", "3E-Y", 3, 1},
        ValueCase{"ExponentAloneIsNoNumber", "E5", 0, 0},
        ValueCase{"DIsNotAnExponent", "1D2", 1, 1},
        ValueCase{"FullWidthDigitsAreNotDigits", "\x82\x50", 0, 0},
        ValueCase{"Overflow", "1E400", kInfinity, 5},
        ValueCase{"NegativeOverflow", "-999" + std::string(400, '9'), -kInfinity, 404},
        ValueCase{"Underflow", "1E-400", 0, 6}, ValueCase{"NegativeUnderflow", "-1E-400", -0.0, 7},
        ValueCase{"ManyLeadingZeros", std::string(300, '0') + "1", 1, 301},
        ValueCase{"LongNumberKeepsItsMagnitude", "1" + std::string(200, '0'), 1e200, 201},
        ValueCase{"LongBlankedNumberKeepsItsMagnitude", "1 " + std::string(200, '0'), 1e200, 202},
        ValueCase{"HugeExponentOfZero", "0E999999999999999999999", 0, 23}),
    [](const testing::TestParamInfo<ValueCase>& info) { return info.param.name; });

TEST(NumericValue, TheConsumedBytesHoldTheWholeNumber) {
    std::mt19937 random(5);
    const std::string_view alphabet = "0123456789..+-eE \tX";
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = round % 17; n > 0; --n) {
            text += alphabet[random() % alphabet.size()];
        }
        std::size_t consumed = 0;
        const double value = numericValue(text, consumed);
        ASSERT_LE(consumed, text.size());
        std::size_t again = 0;
        const double prefixValue = numericValue(std::string_view(text).substr(0, consumed), again);
        ASSERT_EQ(again, consumed) << text;
        ASSERT_EQ(prefixValue, value) << text;
        if (consumed == 0) {
            ASSERT_EQ(value, 0) << text;
        }
    }
}

TEST(NumericValue, ShortFormGivesTheSameValue) {
    EXPECT_EQ(numericValue(" 2.5 mm"), 2.5);
    EXPECT_EQ(numericValue("abc"), 0);
}

}  // namespace
}  // namespace talmir::text
