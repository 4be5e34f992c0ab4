#include "core/export/GcodeSort.h"

#include <gtest/gtest.h>

#include <string>

using talmir::exporters::sortGcode;

namespace {

struct SortCase {
    const char* name;
    std::string program;  // lines joined with CR LF, as the window saves its pane
    std::string expected;
};

std::string crlf(std::initializer_list<const char*> lines, bool lastEnded) {
    std::string out;
    std::size_t n = 0;
    for (const char* l : lines) {
        out += l;
        if (++n < lines.size() || lastEnded) {
            out += "\r\n";
        }
    }
    return out;
}

std::string pane(std::initializer_list<const char*> lines) {
    return crlf(lines, false);
}
std::string result(std::initializer_list<const char*> lines) {
    return crlf(lines, true);
}

class GcodeSort : public testing::TestWithParam<SortCase> {};

TEST_P(GcodeSort, RegroupsBySectionLines) {
    const SortCase& c = GetParam();
    const auto sorted = sortGcode(c.program);
    ASSERT_TRUE(sorted.ok()) << sorted.failure().description;
    EXPECT_EQ(sorted.value(), c.expected);
}

const SortCase kCases[] = {
    {"SectionsOnceMotionsInInputOrder",
     pane({"(T1)", "G00X0.Y0.", "G01X1.Y0.", "(T2)", "G00X5.Y5.", "(T1)", "G01X2.Y0."}),
     result({"(T1)", "G00X0.Y0.", "G01X1.Y0.", "G01X2.Y0.", "(T2)", "G00X5.Y5."})},
    {"DrillLinesAreSections",
     pane({"G81X1.Y1.", "G01X2.Y2.", "G81X3.Y3.", "G01X4.Y4.", "G81X1.Y1.", "G01X5.Y5."}),
     result({"G81X1.Y1.", "G01X2.Y2.", "G01X5.Y5.", "G81X3.Y3.", "G01X4.Y4."})},
    {"MotionWordAnywhereInTheLine", pane({"%", "N10 G02 X1. Y1. I1.", "M30", "(G03 only here)"}),
     result({"%", "N10 G02 X1. Y1. I1.", "M30", "(G03 only here)"})},
    {"RepeatedRapidsCollapse",
     pane({"(T1)", "G00X1.Y1.", "G00X1.Y1.", "G01X2.Y2.", "G00X3.Y3.", "G00X3.Y3."}),
     result({"(T1)", "G00X1.Y1.", "G01X2.Y2.", "G00X3.Y3."})},
    {"FirstRapidOfASectionIsKeptEvenWhenItRepeats",
     pane({"(T1)", "G00X1.Y1.", "(T2)", "G00X1.Y1."}),
     result({"(T1)", "G00X1.Y1.", "(T2)", "G00X1.Y1."})},
    // The rapid to (5, 5) under (T1) equals the last line of (T2), not a line of its
    // own section: leaving it out would start the cut to (6, 6) from (2, 2).
    {"RapidEqualToAnotherSectionsLineIsKept",
     pane(
         {"(T1)", "G00X1.Y1.", "G01X2.Y2.", "(T2)", "G00X5.Y5.", "(T1)", "G00X5.Y5.", "G01X6.Y6."}),
     result({"(T1)", "G00X1.Y1.", "G01X2.Y2.", "G00X5.Y5.", "G01X6.Y6.", "(T2)", "G00X5.Y5."})},
    {"RepeatedCutsStay", pane({"(T1)", "G01X1.Y1.", "G01X1.Y1."}),
     result({"(T1)", "G01X1.Y1.", "G01X1.Y1."})},
    {"MotionsBeforeTheFirstSectionComeFirst", pane({"G00X0.Y0.", "G01X1.Y1.", "(T1)", "G00X5.Y5."}),
     result({"G00X0.Y0.", "G01X1.Y1.", "(T1)", "G00X5.Y5."})},
    {"MotionsBeforeTheFirstSectionJoinAnEmptySection",
     pane({"G01X1.Y1.", "(T1)", "G01X2.Y2.", "", "G01X3.Y3."}),
     result({"(T1)", "G01X2.Y2.", "", "G01X1.Y1.", "G01X3.Y3."})},
    {"CommasAndQuotesStayInTheirLine", pane({"(T1, 3MM \"A\")", "G01X10.,R2.", "G01Y5."}),
     result({"(T1, 3MM \"A\")", "G01X10.,R2.", "G01Y5."})},
    {"LfAndCrLinesAndATrailingLineEnd", "(T1)\nG01X1.\r(T2)\rG01X2.\n(T1)\nG01X3.\n",
     result({"(T1)", "G01X1.", "G01X3.", "(T2)", "G01X2."})},
    // 0x83 0x47 is a katakana whose second byte reads as "G".
    {"NoWordInsideADoubleByteCharacter", pane({"(T1)", "G01X1.", "(\x83G01)", "G01X2."}),
     result({"(T1)", "G01X1.", "(\x83G01)", "G01X2."})},
    {"ShiftJisSectionNamesPassThrough", pane({"(\x83\x5c)", "G01X1.", "(\x82\xa0)", "G01X2."}),
     result({"(\x83\x5c)", "G01X1.", "(\x82\xa0)", "G01X2."})},
};

INSTANTIATE_TEST_SUITE_P(Cases, GcodeSort, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GcodeSort, WithoutMotionLinesNothingIsConverted) {
    for (std::string program : {"", "%\r\nM30", "G81X1.Y1.\r\nG04P1"}) {
        const auto sorted = sortGcode(program);
        ASSERT_FALSE(sorted.ok());
        EXPECT_EQ(sorted.failure().number, 0);
        EXPECT_EQ(sorted.failure().description, "変換可能なコマンドが、見つかりませんでした");
    }
}

}  // namespace
