#include "core/text/Lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace talmir::text {
namespace {

using Lines = std::vector<std::string_view>;

Lines linesOf(std::string_view text) {
    Lines lines;
    LineReader reader(text);
    for (std::string_view line; reader.next(line);) {
        lines.push_back(line);
    }
    return lines;
}

struct LinesCase {
    const char* name;
    std::string_view text;
    Lines want;
};

class LineReaderTest : public testing::TestWithParam<LinesCase> {};

TEST_P(LineReaderTest, Splits) {
    EXPECT_EQ(linesOf(GetParam().text), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineReaderTest,
    testing::Values(LinesCase{"Empty", "", {}}, LinesCase{"NoLineEnd", "M30", {"M30"}},
                    LinesCase{"CrLf", "G00X0Y0\r\n\r\nM30", {"G00X0Y0", "", "M30"}},
                    LinesCase{"Lf", "G00X0Y0\n\nM30\n", {"G00X0Y0", "", "M30"}},
                    LinesCase{"Cr", "G00X0Y0\r\rM30\r", {"G00X0Y0", "", "M30"}},
                    LinesCase{"Mixed", "A\r\n\nB\rC\n", {"A", "", "B", "C"}},
                    LinesCase{"CrBeforeCrLf", "A\r\r\nB", {"A", "", "B"}},
                    LinesCase{"LfCr", "A\n\rB", {"A", "", "B"}},
                    LinesCase{"OnlyALineEnd", "\n", {""}},
                    LinesCase{"CrThenLfLater", "A\rB\rC\nD", {"A", "B", "C", "D"}},
                    LinesCase{
                        "ShiftJisTrailByteIsNotALineEnd", "\x83\x5C\r\nX", {"\x83\x5C", "X"}}),
    [](const testing::TestParamInfo<LinesCase>& info) { return info.param.name; });

TEST(LineReader, OffsetIsTheStartOfTheNextLine) {
    LineReader reader("AB\r\nC\rD");
    std::string_view line;
    std::vector<std::size_t> offsets{reader.offset()};
    while (reader.next(line)) {
        offsets.push_back(reader.offset());
    }
    EXPECT_EQ(offsets, (std::vector<std::size_t>{0, 4, 6, 7}));
}

TEST(LineReader, LongTextWithLoneCrLineEnds) {
    std::string text;
    for (int i = 0; i < 200'000; ++i) {
        text += "G01X1.0Y2.0\r";
    }
    text += "M30\nM02";
    const Lines lines = linesOf(text);
    ASSERT_EQ(lines.size(), 200'002u);
    EXPECT_EQ(lines[199'999], "G01X1.0Y2.0");
    EXPECT_EQ(lines[200'000], "M30");
}

struct SaveCase {
    const char* name;
    std::string_view text;
    LineEnd lineEnd;
    std::string_view want;
};

class SaveWithLineEndTest : public testing::TestWithParam<SaveCase> {};

TEST_P(SaveWithLineEndTest, Saves) {
    const SaveCase& c = GetParam();
    EXPECT_EQ(saveWithLineEnd(c.text, c.lineEnd), c.want);
    std::string appended = "head";
    appendSaveWithLineEnd(appended, c.text, c.lineEnd);
    EXPECT_EQ(appended, "head" + std::string(c.want));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SaveWithLineEndTest,
    testing::Values(
        SaveCase{"EmptyLineDropped", "G00X0Y0\r\n\r\nM30", LineEnd::CrLf, "G00X0Y0\r\nM30\r\n"},
        SaveCase{"LfSave", "G00X0Y0\r\n\r\nM30", LineEnd::Lf, "G00X0Y0\nM30\n"},
        SaveCase{"CrSave", "G00X0Y0\r\n\r\nM30", LineEnd::Cr, "G00X0Y0\rM30\r"},
        SaveCase{"BlankLineKept", "A\n   \nB", LineEnd::CrLf, "A\r\n   \r\nB\r\n"},
        SaveCase{"LoneCrAndLfBecomeTheChosenEnd", "A\rB\nC\r\n", LineEnd::Lf, "A\nB\nC\n"},
        SaveCase{"EmptyText", "", LineEnd::CrLf, ""},
        SaveCase{"OnlyLineEnds", "\r\n\n\r", LineEnd::CrLf, ""}),
    [](const testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

TEST(SaveWithLineEnd, AgreesWithLineByLineWritingOnRandomTexts) {
    std::mt19937 random(13);
    const char alphabet[] = {'G', ' ', '\r', '\n'};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int n = round % 23; n > 0; --n) {
            text += alphabet[random() % 4];
        }
        for (const LineEnd lineEnd : {LineEnd::CrLf, LineEnd::Cr, LineEnd::Lf}) {
            std::string want;
            for (std::string_view line : linesOf(text)) {
                if (!line.empty()) {
                    want.append(line).append(lineEndBytes(lineEnd));
                }
            }
            ASSERT_EQ(saveWithLineEnd(text, lineEnd), want) << testing::PrintToString(text);
        }
    }
}

struct SnapshotCase {
    const char* name;
    std::string_view text;
    std::string_view want;
};

class PaneSnapshotTest : public testing::TestWithParam<SnapshotCase> {};

TEST_P(PaneSnapshotTest, JoinsLinesWithCrLf) {
    EXPECT_EQ(paneSnapshot(GetParam().text), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PaneSnapshotTest,
    testing::Values(SnapshotCase{"Empty", "", ""},
                    SnapshotCase{"EveryLineEndBecomesCrLf", "A\nB\rC", "A\r\nB\r\nC"},
                    SnapshotCase{"EmptyLinesKept", "A\n\nB", "A\r\n\r\nB"},
                    SnapshotCase{"NoLineEndAfterTheLastLine", "A\r\nM30", "A\r\nM30"},
                    // The pane's last line is empty: appended text starts its own line.
                    SnapshotCase{"TrailingLineEndKept", "A\nM30\n", "A\r\nM30\r\n"},
                    SnapshotCase{"TrailingCrKept", "M30\r", "M30\r\n"},
                    SnapshotCase{"OnlyALineEnd", "\n", "\r\n"}),
    [](const testing::TestParamInfo<SnapshotCase>& info) { return info.param.name; });

}  // namespace
}  // namespace talmir::text
