#include "core/export/SectionTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace talmir::exporters;

namespace {

std::string lines(std::initializer_list<std::string_view> items, std::string_view eol = "\r\n") {
    std::string out;
    std::size_t n = 0;
    for (std::string_view l : items) {
        out += l;
        if (++n < items.size()) {
            out += eol;
        }
    }
    return out;
}

struct LineCase {
    const char* line;
    bool data;
};

TEST(SectionTree, ClassifiesDataAndSectionLines) {
    const LineCase cases[] = {
        {"G01X1.Y2.", true},
        {"G00X10.Y20.", true},
        {"G02X1.Y2.I1.J0.", true},
        {"G81X1.5Y2.5", true},
        {"G01 X1. Y2.", false},  // blanks move X off its place
        {"X1.Y2.", false},
        {"G1X1.Y2.", false},  // X at the third character
        {"G01Z-1.", false},
        {"G01XY", false},  // Y right after X
        {"G01X1.", false},
        {"%", false},
        {"(T1)", false},
        {"M30", false},
        {"", false},
        {"g01x1.y2.", false},
        {"G01X1.Y2.X3.", true},
        {"AG01X1.Y2.", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(isDataLine(c.line), c.data);
    }
}

TEST(SectionTree, NodeNamesMustStayInsideTheNodeFolder) {
    struct NameCase {
        const char* what;
        std::string name;
        bool safe;
    };
    const NameCase cases[] = {
        {"tool comment", "(T1)", true},
        {"percent", "%", true},
        {"layer 0", "0", true},
        {"blanks inside", "(T1 D3.0)", true},
        {"colon", "(T1:D3)", true},
        {"dots inside", "a..b", true},
        {"three dots", "...", true},
        // "ソ" is 0x83 0x5C in Shift-JIS: its second byte is not a backslash.
        {"double-byte with 5C trail", "(\x83\x5C)", true},
        {"kanji", "\x8D\xED\x82\xE8", true},
        {"empty", "", false},
        {"dot", ".", false},
        {"dot dot", "..", false},
        {"slash", "a/b", false},
        {"leading slash", "/etc/passwd", false},
        {"parent path", "../x", false},
        {"backslash", "..\\x", false},
        {"lone backslash", "\\", false},
        {"tab", "(T1)\t", false},
        {"nul", std::string("a\0b", 3), false},
        {"delete", "a\x7F", false},
        {"longest file name", std::string(255, 'a'), true},
        {"too long", std::string(256, 'a'), false},
        // 100 kanji are 200 Shift-JIS bytes but 300 bytes of UTF-8 on disk.
        {"too long on disk",
         [] {
             std::string s;
             for (int k = 0; k < 100; ++k) {
                 s += "\x8D\xED";
             }
             return s;
         }(),
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(isSafeNodeName(c.name), c.safe);
    }
}

TEST(SectionTree, NodeFileNameIsTheSectionLineInUtf8) {
    EXPECT_EQ(nodeFileName("(T1)"), "(T1)");
    EXPECT_EQ(nodeFileName("(\x83\x5C)"), "(\xE3\x82\xBD)");  // (ソ)
}

TEST(SectionTree, GroupsDataLinesUnderTheirSectionLine) {
    const auto split = splitSections(
        lines({"(T1)", "G00X0.Y0.", "G01X1.Y0.", "(T2)", "G00X5.Y5.", "(T1)", "G01X2.Y0.", "M30"}));
    ASSERT_FALSE(split.failure);
    ASSERT_EQ(split.nodes.size(), 3u);
    EXPECT_EQ(split.nodes[0].name, "(T1)");
    EXPECT_EQ(split.nodes[0].data, "G00X0.Y0.\r\nG01X1.Y0.\r\nG01X2.Y0.\r\n");
    EXPECT_EQ(split.nodes[1].name, "(T2)");
    EXPECT_EQ(split.nodes[1].data, "G00X5.Y5.\r\n");
    EXPECT_EQ(split.nodes[2].name, "M30");
    EXPECT_EQ(split.nodes[2].data, "");
}

TEST(SectionTree, LineEndsDoNotChangeTheSplit) {
    for (std::string_view eol : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(eol.size());
        std::string program = lines({"0", "G00X0.0Y0.0", "G01X10.0Y5.0", "1", "G00X1.0Y1.0"}, eol);
        program += eol;  // a final line end gives no empty line
        const auto split = splitSections(program);
        ASSERT_FALSE(split.failure);
        ASSERT_EQ(split.nodes.size(), 2u);
        EXPECT_EQ(split.nodes[0].data, "G00X0.0Y0.0\r\nG01X10.0Y5.0\r\n");
        EXPECT_EQ(split.nodes[1].data, "G00X1.0Y1.0\r\n");
    }
}

TEST(SectionTree, StopsWhereTheBuildCannotGoOn) {
    struct StopCase {
        const char* what;
        std::string program;
        std::size_t nodesBuilt;
    };
    std::string tooMany;
    for (int k = 1; k <= 257; ++k) {
        tooMany += "(T" + std::to_string(k) + ")\r\nG01X1.Y1.\r\n";
    }
    const StopCase cases[] = {
        {"data line first", lines({"G01X1.Y2.", "(T1)"}), 0},
        {"empty line", lines({"(T1)", "G01X1.Y2.", "", "G01X3.Y4."}), 1},
        {"parent folder", lines({"(T1)", "G01X1.Y2.", "..", "G01X3.Y4."}), 1},
        {"path", lines({"(T1)", "../../outside", "G01X3.Y4."}), 1},
        {"absolute path", lines({"/tmp/x", "G01X3.Y4."}), 0},
        {"257 sections", tooMany, 256},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto split = splitSections(c.program);
        ASSERT_TRUE(split.failure);
        EXPECT_EQ(split.failure->number, 0);
        EXPECT_EQ(split.failure->description, kTreeBuildError);
        EXPECT_EQ(split.nodes.size(), c.nodesBuilt);
    }
}

TEST(SectionTree, ASectionLineSeenAgainDoesNotCountTowardsTheLimit) {
    std::string program;
    for (int k = 0; k < 1000; ++k) {
        program += "(T" + std::to_string(k % 256) + ")\r\nG01X1.Y1.\r\n";
    }
    const auto split = splitSections(program);
    ASSERT_FALSE(split.failure);
    EXPECT_EQ(split.nodes.size(), 256u);
}

TEST(SectionTree, RebuildWritesEachSectionOnceFollowedByItsData) {
    const std::string program =
        lines({"(T1)", "G00X0.Y0.", "(T2)", "G00X5.Y5.", "(T1)", "G01X2.Y0.", "(\x83\x5C)"});
    const auto split = splitSections(program);
    ASSERT_FALSE(split.failure);
    std::string rebuilt;
    for (const auto& node : split.nodes) {
        appendSection(rebuilt, node.name, node.data);
    }
    EXPECT_EQ(rebuilt, "(T1)\r\nG00X0.Y0.\r\nG01X2.Y0.\r\n(T2)\r\nG00X5.Y5.\r\n(\x83\x5C)\r\n");
    // A regrouped program splits into the same nodes again.
    const auto again = splitSections(rebuilt);
    ASSERT_FALSE(again.failure);
    ASSERT_EQ(again.nodes.size(), split.nodes.size());
    for (std::size_t k = 0; k < again.nodes.size(); ++k) {
        EXPECT_EQ(again.nodes[k].name, split.nodes[k].name);
        EXPECT_EQ(again.nodes[k].data, split.nodes[k].data);
    }
}

TEST(SectionTree, RebuildReadsNodeFilesWithAnyLineEnd) {
    std::string out;
    // A node file saved from the pane has no line end after its last line.
    appendSection(out, "(T1)", "G01X1.Y1.\nG01X2.Y2.");
    appendSection(out, "(T2)", "");
    appendSection(out, "(T3)", "G01X3.Y3.\r");
    EXPECT_EQ(out, "(T1)\r\nG01X1.Y1.\r\nG01X2.Y2.\r\n(T2)\r\n(T3)\r\nG01X3.Y3.\r\n");
}

// Drilling programs of other CAM systems give the holes after the first as lines of
// X and Y alone; they stay with their G81 line until G80 or a motion word.
TEST(SectionTree, HolesOfADrillingCycleStayWithTheirG81Line) {
    struct CycleCase {
        const char* what;
        std::string program;
        std::vector<std::pair<std::string, std::string>> nodes;
    };
    const CycleCase cases[] = {
        {"cycle on a section line",
         lines({"T1", "G81 R5. Z-2. X1. Y1.", "X2. Y2.", "(row)", "X3. Y3.", "G80", "X4. Y4."}),
         {{"T1", ""},
          {"G81 R5. Z-2. X1. Y1.", "X2. Y2.\r\nX3. Y3.\r\n"},
          {"(row)", ""},
          {"G80", ""},
          {"X4. Y4.", ""}}},
        {"cycle on a data line, ended by a feed",
         lines({"(T1)", "G81X1.Y1.", "X2.Y2.", "G01X5.Y5.", "X6.Y6."}),
         {{"(T1)", "G81X1.Y1.\r\nX2.Y2.\r\nG01X5.Y5.\r\nX6.Y6.\r\n"}}},
        {"no cycle: coordinates continue the feed",
         lines({"(T1)", "G01X1.Y1.", "X2.Y2."}),
         {{"(T1)", "G01X1.Y1.\r\nX2.Y2.\r\n"}}},
        {"a rapid move ends the cycle",
         lines({"(T1)", "G81X1.Y1.", "G0 Z5.", "X2.Y2.", "G80", "X3.Y3."}),
         {{"(T1)", "G81X1.Y1.\r\nG0 Z5.\r\nX2.Y2.\r\n"}, {"G80", ""}, {"X3.Y3.", ""}}},
        {"motion lines of other programs",
         lines({"(T1)", "g1 x1.5 y2", "N10 G1 X5", "Y10.", "t4 m6", "g0 x0 y0"}),
         {{"(T1)", "g1 x1.5 y2\r\nN10 G1 X5\r\nY10.\r\n"}, {"t4 m6", "g0 x0 y0\r\n"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto split = splitSections(c.program);
        ASSERT_FALSE(split.failure);
        ASSERT_EQ(split.nodes.size(), c.nodes.size());
        for (std::size_t k = 0; k < c.nodes.size(); ++k) {
            EXPECT_EQ(split.nodes[k].name, c.nodes[k].first);
            EXPECT_EQ(split.nodes[k].data, c.nodes[k].second);
        }
    }
}

}  // namespace
