// File comparison: the dump format and the first differing position, compared on
// the dumps as the window does and directly on the bytes as talmir-convert does.

#include "core/editor/FileCompare.h"

#include <gtest/gtest.h>

#include <string>

namespace talmir::editor {
namespace {

TEST(HexDump, TwoUpperCaseDigitsAndABlankPerByte) {
    EXPECT_EQ(hexDump(std::string("\x00\x41\xFF\r\n", 5)), "00 41 FF 0D 0A ");
    EXPECT_EQ(hexDump(""), "");
    std::string out = "x";
    appendHexDump(out, "\x8C\x8A");
    EXPECT_EQ(out, "x8C 8A ");
}

struct CompareCase {
    const char* name;
    std::string source;
    std::string other;
    bool differ;
    std::size_t markOffset;
    std::size_t firstDifferentByte;
};

TEST(Compare, TableOfCases) {
    const CompareCase cases[] = {
        {"identical", "G01X1\r\n", "G01X1\r\n", false, 0, 0},
        {"both empty", "", "", false, 0, 0},
        {"second byte, low digit", "AB", "AC", true, 4, 1},
        {"second byte, high digit", "AB", "AR", true, 3, 1},
        {"first byte", "A", "B", true, 1, 0},
        {"source a strict prefix", "AB", "ABC", true, 5, 2},
        {"other a strict prefix", "ABC", "AB", true, 6, 2},
        {"empty source", "", "A", true, 0, 0},
        {"empty other", "A", "", true, 0, 0},
        {"only the first difference", "AXCY", "ABCD", true, 3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const Comparison& got :
             {compareDumps(hexDump(c.source), hexDump(c.other)), compareFiles(c.source, c.other)}) {
            EXPECT_EQ(got.differ, c.differ);
            if (c.differ) {
                EXPECT_EQ(got.markOffset, c.markOffset);
                EXPECT_EQ(got.firstDifferentByte, c.firstDifferentByte);
            }
        }
    }
}

TEST(Compare, PanesAreComparedAsShown) {
    // The user typed into a dump pane: the comparison takes the text as it stands.
    EXPECT_EQ(compareDumps("41 42 ", "41 4x ").markOffset, 4u);
    EXPECT_FALSE(compareDumps("hello", "hello").differ);
    EXPECT_EQ(comparisonMessage(compareDumps("41 ", "41 ")), "比較を完了しました。");
    EXPECT_EQ(comparisonMessage(compareDumps("41 ", "42 ")), "ファイルに違いが確認されました。");
    EXPECT_EQ(comparisonErrorMessage(), "エラーが発生しました。");
}

}  // namespace
}  // namespace talmir::editor
