#include "core/text/NumberPicture.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>

namespace talmir::text {
namespace {

struct PictureCase {
    const char* name;
    double value;
    const char* picture;
    const char* want;
};

class NumberPictureTest : public testing::TestWithParam<PictureCase> {};

// The short form writes the same text, or leaves the value to append.
void expectShortFormAgrees(double value, const char* picture, const std::string& want) {
    char text[NumberPicture::kShortText + 1];
    const char* const end = NumberPicture(picture).writeShort(text, value);
    if (end != nullptr) {
        EXPECT_EQ(std::string(static_cast<const char*>(text), end), want)
            << "short form of " << value << " " << picture;
    }
}

TEST_P(NumberPictureTest, Formats) {
    const PictureCase& c = GetParam();
    EXPECT_EQ(formatPicture(c.value, c.picture), c.want);
    expectShortFormAgrees(c.value, c.picture, c.want);
}

const float kPiSingle = std::numbers::pi_v<float>;

INSTANTIATE_TEST_SUITE_P(
    Pictures, NumberPictureTest,
    testing::Values(
        PictureCase{"WholeNumberKeepsOneDecimal", 10, "######0.0###", "10.0"},
        PictureCase{"RoundsToFourDecimals", 12.34567, "######0.0###", "12.3457"},
        PictureCase{"ZeroHasItsRequiredDigits", 0, "######0.0###", "0.0"},
        // Halves go away from zero, judged on the exact binary value.
        PictureCase{"HalfUp", 0.5, "0", "1"}, PictureCase{"HalfAfterOdd", 1.5, "0", "2"},
        PictureCase{"HalfAfterEven", 2.5, "0", "3"},
        PictureCase{"NegativeHalfAwayFromZero", -2.5, "0", "-3"},
        PictureCase{"ExactBinaryHalf", 0.125, "0.0#", "0.13"},
        PictureCase{"ExactBinaryHalfAfterOdd", 0.375, "0.0#", "0.38"},
        PictureCase{"QuarterAtOneDecimal", 0.25, "0.0", "0.3"},
        PictureCase{"BinaryBelowTheHalf", 1.005, "0.0#", "1.0"},  // 1.00499999...
        PictureCase{"BinaryBelowTheHalf2", 0.35, "0.0", "0.3"},   // 0.34999999...
        PictureCase{"BinaryAboveTheHalf", 0.05, "0.0", "0.1"},    // 0.05000000...03
        PictureCase{"CarryIntoANewDigit", 9.99995, "0.0###", "10.0"},
        PictureCase{"CarryWithoutDecimals", 999.5, "#", "1000"},
        PictureCase{"LargeHalf", 123456789.125, "0.00", "123456789.13"},
        // Signs.
        PictureCase{"NegativeValue", -3, "######0.0###", "-3.0"},
        PictureCase{"NegativeRoundingToZeroHasNoSign", -0.04, "0.0", "0.0"},
        PictureCase{"NegativeZeroHasNoSign", -0.0, "0.0", "0.0"},
        PictureCase{"TinyNegative", -1.1032760418049228e-06, "#####0.0###", "0.0"},
        PictureCase{"DxfVertexNoise", -4.2e-14, "######0.0###", "0.0"},
        PictureCase{"NegativeHalfUpToOne", -0.05, "0.0", "-0.1"},
        PictureCase{"NegativeToZeroWithRequiredDigits", -0.2, "000", "000"},
        // Required and optional positions.
        PictureCase{"TwoRequiredDigits", 5, "00", "05"},
        PictureCase{"MoreDigitsThanThePicture", 123, "00", "123"},
        PictureCase{"NegativeWithRequiredDigits", -5, "000", "-005"},
        PictureCase{"ToolCode", 7, "#00", "07"},
        PictureCase{"OptionalIntegerDigitDropsTheZero", 0.5, "###.0000", ".5000"},
        PictureCase{"RequiredDecimals", 1, "###.0000", "1.0000"},
        PictureCase{"OptionalOnlyPictureOfZeroIsEmpty", 0, "######", ""},
        PictureCase{"OptionalOnlyPicture", 10, "######", "10"},
        PictureCase{"PointPictureOfZeroIsNotEmpty", 0, "#.##", "0"},
        PictureCase{"PointPictureOfAHalf", 0.5, "#.##", ".5"},
        PictureCase{"WholeNumbersRounded", 12345.5, "##########0", "12346"},
        // Long pictures: the float is widened unchanged and printed exactly.
        PictureCase{"SinglePrecisionAngle", double(kPiSingle) * 57.2957795130823,
                    "#####0.0############", "180.0000050089563"},
        PictureCase{"SinglePrecisionCoordinate", double(12.3f), "####0.0#######", "12.30000019"},
        PictureCase{"FifteenDecimals", double(0.1f), "####0.0##############", "0.100000001490116"},
        PictureCase{"ThirtyDecimals", 0.1, "0.000000000000000000000000000000",
                    "0.100000000000000005551115123126"},
        PictureCase{"TwentyDecimalsTinyTie", -1.25e-20, "0.0###################",
                    "-0.00000000000000000001"},
        PictureCase{"VeryLarge", 1e20, "0.0", "100000000000000000000.0"},
        PictureCase{"Subnormal", 5e-324, "0.0", "0.0"},
        // Not numbers at all.
        PictureCase{"NaN", std::numeric_limits<double>::quiet_NaN(), "0.0", "NaN"},
        PictureCase{"Infinity", std::numeric_limits<double>::infinity(), "0.0", "Infinity"},
        PictureCase{"MinusInfinity", -std::numeric_limits<double>::infinity(), "0.0", "-Infinity"}),
    [](const testing::TestParamInfo<PictureCase>& info) { return info.param.name; });

// Values of all sizes, and exact binary halves at the last decimal, rounded with
// exact decimal arithmetic (halves away from zero) outside this program.
struct Reference {
    double value;
    const char* picture;
    const char* want;
};
const Reference kReference[] = {
    {1.580078125, "#####0.0#######", "1.58007813"},
    {2.2357184110131663e-06, "#####0.0", "0.0"},
    {-1.621246337890625e-05, "#####0.0##################", "-0.0000162124633789063"},
    {-1.0209291662966137e-07, "#####0.0", "0.0"},
    {-227912004.75, "#####0.0", "-227912004.8"},
    {-0.008014908473200267, "#####0.0##################", "-0.0080149084732002666"},
    {3881.8158354759216, "#####0.0###################", "3881.81583547592163085938"},
    {-0.00839166069042837, "#####0.0############", "-0.0083916606904"},
    {-0.0011310577392578125, "#####0.0#################", "-0.001131057739257813"},
    {-1.6305673764297346, "#####0.0#################", "-1.630567376429734594"},
    {12.72290552733466, "#####0.0#############################",
     "12.722905527334660291671752929688"},
    {-2.66679499404903e-06, "#####0.0###################", "-0.00000266679499404903"},
    {-1.728534698486328e-05, "#####0.0#####################", "-0.0000172853469848632813"},
    {-16293.972239133102, "#####0.0###", "-16293.9722"},
    {0.014550045132637024, "#####0.0########################", "0.0145500451326370239257813"},
    {-0.014116896799690096, "#####0.0##############", "-0.01411689679969"},
    {-33704664388.0625, "#####0.0##", "-33704664388.063"},
    {214329849870995.8, "#####0.0#####", "214329849870995.8125"},
    {9.214008450508118, "#####0.0#####################", "9.2140084505081176757813"},
    {-1487.081453560332, "#####0.0", "-1487.1"},
    {0.004749521613121033, "#####0.0########################", "0.0047495216131210327148438"},
    {-10147609651.232933, "#####0.0############", "-10147609651.2329330444336"},
    {18.336830034852028, "#####0.0########################", "18.3368300348520278930664063"},
    {-22085486274.980835, "#####0.0#############################", "-22085486274.9808349609375"},
    {148.4531717300415, "#####0.0##################", "148.4531717300415039063"},
    {2.1820129489332672e+17, "#####0.0", "218201294893326720.0"},
    {-2184203.758621216, "#####0.0##############", "-2184203.758621215820313"},
    {-15318926.881662251, "#####0.0#####################", "-15318926.8816622514277696609497"},
    {36.42822790145874, "#####0.0###################", "36.42822790145874023438"},
    {-7.642189583882726e+16, "#####0.0###################", "-76421895838827264.0"},
    {-2.443359375, "#####0.0#######", "-2.44335938"},
    {-0.32480373721540495, "##0", "0"},
    {-0.0015543699264526367, "#####0.0#####################", "-0.0015543699264526367188"},
    {-2.16848102806431e-06, "#####0.0#############################",
     "-0.000002168481028064309993328741"},
    {36416.930603027344, "#####0.0############", "36416.9306030273438"},
    {-997257.7284300446, "#####0.0#############################",
     "-997257.728430044604465365409851074219"},
    {1.4350847005844116, "#####0.0#####################", "1.4350847005844116210938"},
    {0.00010876895892245911, "#####0.0############", "0.0001087689589"},
    {29.6875, "#####0.0##", "29.688"},
    {-2424005.407349129, "##0", "-2424005"},
    {-8.3828125, "#####0.0#####", "-8.382813"},
    {-5112965.5377168, "#####0.0#################", "-5112965.537716800346970558"},
    {70791370006.3125, "#####0.0##", "70791370006.313"},
    {1.0112166691161658e-07, "#####0.0###################", "0.00000010112166691162"},
    {-71.1914924713783, "#####0.0#############################",
     "-71.191492471378296613693237304688"},
    {-21230.486843111485, "#####0.0############", "-21230.4868431114846"},
    {-0.00042724609375, "#####0.0############", "-0.0004272460938"},
    {-1.1032760418049228e-06, "#####0.0###", "0.0"},
};

TEST(NumberPicture, MatchesExactDecimalRounding) {
    for (const Reference& r : kReference) {
        SCOPED_TRACE(testing::Message() << r.value << " " << r.picture);
        EXPECT_EQ(formatPicture(r.value, r.picture), r.want);
        expectShortFormAgrees(r.value, r.picture, r.want);
    }
}

// Rounds the exact decimal expansion of `value` (to_chars with 60 decimals is
// exact for the floats below) half away from zero, then drops optional zeros.
std::string exactlyRounded(float value, int decimals, int required) {
    char text[128];
    const auto r = std::to_chars(text, text + sizeof text, std::fabs(static_cast<double>(value)),
                                 std::chars_format::fixed, 60);
    std::string digits(text, r.ptr);
    const std::size_t point = digits.find('.');
    const bool up = digits[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    digits.erase(point + 1 + static_cast<std::size_t>(decimals));
    digits.erase(point, 1);
    for (std::size_t i = digits.size(); up && i-- > 0;) {
        digits[i] = digits[i] == '9' ? '0' : static_cast<char>(digits[i] + 1);
        if (digits[i] != '0') {
            break;
        }
        if (i == 0) {
            digits.insert(0, "1");
        }
    }
    std::string integer = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    std::string fraction = digits.substr(integer.size());
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
    while (static_cast<int>(fraction.size()) > required && fraction.back() == '0') {
        fraction.pop_back();
    }
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    return (value < 0 && !zero ? "-" : "") + integer + (fraction.empty() ? "" : "." + fraction);
}

TEST(NumberPicture, FloatsMatchTheirExactExpansion) {
    // Plotter and drill coordinates: floats of a few units to a few metres, and
    // halves of every size at the last decimal.
    std::uint32_t state = 12345;
    for (int n = 0; n < 20000; ++n) {
        state = state * 1664525 + 1013904223;
        const int decimals = static_cast<int>(state >> 29);  // 0 to 7
        const std::string picture =
            "######0." + std::string(static_cast<std::size_t>(decimals), '#');
        const float value =
            n % 2 == 0 ? std::ldexp(static_cast<float>(state >> 8), -static_cast<int>(n % 23))
                       : static_cast<float>(static_cast<std::int32_t>(state)) * 0.025f / 1024;
        SCOPED_TRACE(testing::Message() << value << " " << picture);
        const std::string want = exactlyRounded(value, decimals, 0);
        EXPECT_EQ(formatPicture(value, picture), want.empty() ? "0" : want);
        expectShortFormAgrees(value, picture.c_str(), want.empty() ? "0" : want);
    }
}

TEST(NumberPicture, AppendsAfterWhatIsThere) {
    const NumberPicture picture("######0.0###");
    std::string line = "G01X";
    picture.append(line, 12.5);
    line += "Y";
    picture.append(line, -0.00004);
    EXPECT_EQ(line, "G01X12.5Y0.0");
}

TEST(NumberPicture, LargestDoubleDoesNotOverflow) {
    const std::string text =
        formatPicture(-std::numeric_limits<double>::max(), "0.000000000000000000000000000000");
    EXPECT_EQ(text.size(), 1 + 309 + 1 + 30u);
    EXPECT_EQ(text.substr(0, 6), "-17976");
}

}  // namespace
}  // namespace talmir::text
