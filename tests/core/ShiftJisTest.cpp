#include "core/text/ShiftJis.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace talmir::text {
namespace {

// "ABC" followed by the full-width "Ａ" (0x82 0x60) and "漢" (0x8A 0xBF).
const std::string kMixed = "ABC\x82\x60\x8A\xBF";

struct DecodeCase {
    const char* name;
    std::string sjis;
    std::string utf8;
};

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, DecodesAndEncodesBack) {
    const DecodeCase& c = GetParam();
    EXPECT_EQ(shiftJisToUtf8(c.sjis), c.utf8);
    std::size_t unmappable = 99;
    EXPECT_EQ(utf8ToShiftJis(c.utf8, &unmappable), c.sjis);
    EXPECT_EQ(unmappable, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    ShiftJis, DecodeTest,
    testing::Values(
        DecodeCase{"Empty", "", ""},
        DecodeCase{"AsciiWithNul", std::string("G00\0X1\r\n", 8), std::string("G00\0X1\r\n", 8)},
        DecodeCase{"BackslashAndTildeStayAscii", "\\~", "\\~"},
        DecodeCase{"Kanji", "\x8A\xBF\x8E\x9A", "漢字"},
        DecodeCase{"HalfWidthKatakana", "\xB1\xB2\xDF", "ｱｲﾟ"},
        DecodeCase{"FullWidthAndKanjiAfterAscii", kMixed, "ABCＡ漢"},
        DecodeCase{"WaveDashIsFullWidthTilde", "\x81\x60", "～"},
        DecodeCase{"NecRow13", "\x87\x40", "①"}, DecodeCase{"IbmExtension", "\xFA\x40", "ⅰ"},
        DecodeCase{"UserDefinedArea", "\xF0\x40\xF9\xFC", "\xEE\x80\x80\xEE\x9D\x97"},
        DecodeCase{"SingleBytesOfTheCodePage", "\x80\xA0\xFD\xFE\xFF",
                   "\xC2\x80\xEF\xA3\xB0\xEF\xA3\xB1\xEF\xA3\xB2\xEF\xA3\xB3"},
        // Bytes and codes that do not come back as themselves: private-use
        // characters of plane 15 that name the bytes.
        DecodeCase{"NecDuplicateOfNotEqual", "\x87\x90", "\xF3\xB8\x9E\x90"},   // U+F8790
        DecodeCase{"NecSelectedIbmDuplicate", "\xED\x40", "\xF3\xBE\xB5\x80"},  // U+FED40
        DecodeCase{"UnassignedPair", "\x85\x40", "\xF3\xB8\x95\x80"},           // U+F8540
        DecodeCase{"LeadByteAtTheEnd", "A\x82", "A\xF3\xB0\x82\x82"},           // U+F0082
        DecodeCase{"LeadByteBeforeLineEnd", "\x82\r\nB", "\xF3\xB0\x82\x82\r\nB"},
        DecodeCase{"LeadByteBeforeDelete", "\x82\x7F", "\xF3\xB0\x82\x82\x7F"},
        DecodeCase{"TwoLeadBytesMakeAnUnassignedPair", "\x85\x85\x60",
                   "\xF3\xB8\x96\x85\x60"}),  // U+F8585 then "`"
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

TEST(ShiftJis, EveryByteAndBytePairRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        ASSERT_EQ(utf8ToShiftJis(shiftJisToUtf8(one)), one) << "byte " << b;
    }
    int characters = 0;  // pairs that decode to one real (not plane-15) character
    for (int code = 0; code < 0x10000; ++code) {
        const std::string two{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        const std::string utf8 = shiftJisToUtf8(two);
        if (isLeadByte(static_cast<unsigned char>(code >> 8)) && utf8.size() <= 3 &&
            static_cast<unsigned char>(utf8[0]) >= 0xC0) {
            ++characters;
        }
        // The text panes use U+2028 as their virtual line break and take U+2029 and
        // U+0085 as line ends: no Shift-JIS text may decode to them.
        for (const char* lineEnd : {"\xE2\x80\xA8", "\xE2\x80\xA9", "\xC2\x85"}) {
            ASSERT_EQ(utf8.find(lineEnd), std::string::npos) << "code " << std::hex << code;
        }
        std::size_t unmappable = 0;
        ASSERT_EQ(utf8ToShiftJis(utf8, &unmappable), two) << "code " << std::hex << code;
        ASSERT_EQ(unmappable, 0u) << "code " << std::hex << code;
    }
    // Code page 932 holds 9206 distinct double-byte characters (JIS X 0208, NEC
    // row 13, the IBM extension and the user-defined area).
    EXPECT_EQ(characters, 9206);
}

TEST(ShiftJis, RandomBytesRoundTrip) {
    std::mt19937 random(932);
    // Mostly high bytes, so lead/trail pairs, lone leads and ASCII runs of
    // varying length meet at every offset, including the decoder's block edges.
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> asciiRun(0, 20);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const int length = round % 97;
        while (static_cast<int>(bytes.size()) < length) {
            bytes.push_back(static_cast<char>(byte(random)));
            if (byte(random) < 32) {
                bytes.append(static_cast<std::size_t>(asciiRun(random)), 'G');
            }
        }
        ASSERT_EQ(utf8ToShiftJis(shiftJisToUtf8(bytes)), bytes) << "round " << round;
    }
    std::string large(200'000, '\0');
    for (char& c : large) {
        c = static_cast<char>(byte(random));
    }
    EXPECT_EQ(utf8ToShiftJis(shiftJisToUtf8(large)), large);
}

TEST(ShiftJis, AppendKeepsWhatIsThere) {
    std::string out = "前:";
    appendShiftJisToUtf8(out, "\x8C\xE3");
    EXPECT_EQ(out, "前:後");
}

struct EncodeCase {
    const char* name;
    std::string utf8;
    std::string sjis;
    std::size_t unmappable;
};

class EncodeTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, Encodes) {
    const EncodeCase& c = GetParam();
    std::size_t unmappable = 99;
    EXPECT_EQ(utf8ToShiftJis(c.utf8, &unmappable), c.sjis);
    EXPECT_EQ(unmappable, c.unmappable);
}

INSTANTIATE_TEST_SUITE_P(
    ShiftJis, EncodeTest,
    testing::Values(
        // Characters typed or pasted from other sources that have a code.
        EncodeCase{"JisWaveDash", "〜", "\x81\x60", 0}, EncodeCase{"MinusSign", "−", "\x81\x7C", 0},
        EncodeCase{"Cent", "¢", "\x81\x91", 0},
        // Characters with two or three codes get the one Windows writes.
        EncodeCase{"NearlyEqualTakesTheJisCode", "≒", "\x81\xE0", 0},
        EncodeCase{"RomanNumeralTakesTheNecCode", "Ⅰ", "\x87\x54", 0},
        EncodeCase{"IbmKanjiTakesTheIbmCode", "纊", "\xFA\x5C", 0},
        EncodeCase{"EuroHasNoCode", "A€B", "A?B", 1}, EncodeCase{"EmojiHasNoCode", "😀", "?", 1},
        EncodeCase{"InvalidUtf8Bytes", "\xFF\xC3", "??", 2},
        EncodeCase{"TruncatedSequence", "\xE6\xBC", "??", 2},
        EncodeCase{"OverlongSlash", "\xC0\xAF", "??", 2},
        EncodeCase{"EncodedSurrogate", "\xED\xA0\x80", "???", 3},
        // Plane-15 characters that the decoder never makes.
        EncodeCase{"RawAsciiIsNotABytePair", "\xF3\xB0\x81\x81", "?", 1},  // U+F0041
        EncodeCase{"RawPairWithBadTrail", "\xF3\xB8\x88\xBF", "?", 1}),    // U+F823F
    [](const testing::TestParamInfo<EncodeCase>& info) { return info.param.name; });

TEST(ShiftJis, CountsBytesAndCharacters) {
    EXPECT_EQ(LenBytes(kMixed), 7u);
    EXPECT_EQ(charCount(kMixed), 5u);
    EXPECT_EQ(charCount("\xB1\xB2"), 2u);  // half-width katakana: one byte each
    EXPECT_EQ(charCount("A\x82"), 2u);     // a lead byte at the end is a character
    EXPECT_EQ(charLength(kMixed, 3), 2u);
    EXPECT_EQ(charLength(kMixed, 7), 0u);
}

struct MidCase {
    const char* name;
    std::size_t start;
    std::size_t length;
    std::string want;
};

class MidBytesTest : public testing::TestWithParam<MidCase> {};

TEST_P(MidBytesTest, CutsOnBytes) {
    EXPECT_EQ(MidBytes(kMixed, GetParam().start, GetParam().length), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(ShiftJis, MidBytesTest,
                         testing::Values(MidCase{"FirstFullWidthCharacter", 4, 2, "\x82\x60"},
                                         MidCase{"FromTheStart", 1, 3, "ABC"},
                                         MidCase{"PastTheEndIsShorter", 6, 10, "\x8A\xBF"},
                                         MidCase{"SplitsADoubleByteCharacter", 5, 2, "\x60\x8A"},
                                         MidCase{"StartPastTheEnd", 8, 1, ""},
                                         MidCase{"StartZero", 0, 3, ""},
                                         MidCase{"LengthZero", 2, 0, ""}),
                         [](const testing::TestParamInfo<MidCase>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace talmir::text
