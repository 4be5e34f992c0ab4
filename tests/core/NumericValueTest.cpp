#include "core/text/NumericValue.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

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

// The quick reader must give the very bits of the shared reader, whether it reads
// the text itself or hands it on: the texts of NC words, of DXF values and of the
// plot scanner, the limits of the shortcut, and many random decimals.
TEST(PlainDecimal, GivesTheBitsOfTheSharedReader) {
    std::vector<std::string> texts = {
        "10.", "10.Y20.", "-0", "-.0", "+5", ".25", "0.1", "12.3", "-1234.5678", "1.2.3",
        "123456789012345", "1234567890123456", "0.000000000000001", "1 2.5", "- 1", "1E3", "1e-2X",
        "1E", "", ".", "-", "X", "(comment)", " 5", "5 ", "007.50", "99999.99999",
        "3.14159265358979", "0.30000000000000004", "1D1", "+3.5", "-4.22994972382185e-014", "1e39",
        "12.5abc", "9007199254740993", "12345678901234567890", "\t5", "0000000000000000000001.5",
        "123456.7890123456789", "-.5", "+7", "123.456Y", "1 2", "- 5", " 3", "1e5", "2D3",
        "999999999999999.9", "0.00000000000000000000001", "00012.500", "3.4e39", "1\t2",
        // the limits of the shortcut: 2^53, 19 and 20 digits (leading zeros count),
        // characters that end a number or go on with it
        "9007199254740992", "-9007199254740992.", "1234567890123456789", "0.1234567890123456789",
        "0.000000000000000001", "-0.0000000000000000001", "0.0000000000000000000001", "-0.000",
        "1\r", "1\n2", "1.5e", "5-", "-+5", ".-5", "1..5"};
    std::mt19937 random(7);
    for (int k = 0; k < 20000; ++k) {
        std::string t = random() % 2 ? "-" : "";
        const int digits = 1 + static_cast<int>(random() % 20);
        const int point = static_cast<int>(random() % (digits + 1));
        for (int d = 0; d < digits; ++d) {
            if (d == point) {
                t += '.';
            }
            t += static_cast<char>('0' + random() % 10);
        }
        texts.push_back(t);
    }
    for (const std::string& t : texts) {
        SCOPED_TRACE(t);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(quickNumericValue(t)),
                  std::bit_cast<std::uint64_t>(numericValue(t)));
    }
}

// Coordinates of up to 15 digits, the form nearly every word takes, are read by the
// shortcut itself, bit-equal to the shared reader.
TEST(PlainDecimal, ReadsCoordinatesItself) {
    std::uint64_t seed = 12345;
    for (int n = 0; n < 20000; ++n) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const std::uint64_t digits = (seed >> 20) % 1000000000000000ULL;
        std::string t = std::to_string(digits);
        const std::size_t point = (seed >> 8) % (t.size() + 1);
        t.insert(point, ".");
        if (seed & 1) {
            t.insert(0, "-");
        }
        double value = 99;
        ASSERT_TRUE(plainDecimal(t, value)) << t;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(value),
                  std::bit_cast<std::uint64_t>(numericValue(t)))
            << t;
    }
}

}  // namespace
}  // namespace talmir::text
