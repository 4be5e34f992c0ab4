#include "core/graphic/PlotScanner.h"

#include "core/text/CommaFields.h"
#include "core/text/GcodeDialect.h"
#include "core/text/NumericValue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace talmir::graphic {
namespace {

PlotTables scanned(std::optional<std::string_view> holes, std::optional<std::string_view> gcode) {
    PlotTables t;
    scanPlotTables(t, {holes, gcode});
    return t;
}

struct Row {
    float x, y, i, j, g, layer;
};

testing::AssertionResult sameRows(const PlotTables& t, const std::vector<Row>& want) {
    if (t.paths.size() != want.size() || t.PathCount + 1 != static_cast<int>(want.size())) {
        return testing::AssertionFailure() << "has " << t.paths.size() << " rows";
    }
    for (std::size_t k = 0; k < want.size(); ++k) {
        const PathRow& a = t.paths[k];
        const Row& b = want[k];
        if (a.x != b.x || a.y != b.y || a.i != b.i || a.j != b.j || a.g != b.g ||
            a.layer != b.layer) {
            return testing::AssertionFailure()
                   << "row " << k << " is (" << a.x << ", " << a.y << ", I" << a.i << ", J" << a.j
                   << ", G" << a.g << ", layer " << a.layer << ")";
        }
    }
    return testing::AssertionSuccess();
}

TEST(PlotScanner, HoleTextDefinesSelectsAndPlacesTools) {
    const PlotTables t = scanned("T1C0.8\r\nT2C1.0\r\nT1\r\nX1.0Y2.0\r\nT2\r\nX3.0Y4.0", {});
    EXPECT_EQ(t.layers[0].name, "T1");
    EXPECT_FLOAT_EQ(t.layers[0].width, 0.8f);
    EXPECT_EQ(t.layers[1].name, "T2");
    EXPECT_FLOAT_EQ(t.layers[1].width, 1.0f);
    EXPECT_TRUE(t.layers[0].visible && t.layers[1].visible);
    ASSERT_EQ(t.HoleCount, 1);
    EXPECT_EQ(t.holes[0].x, 1.0f);
    EXPECT_EQ(t.holes[0].y, 2.0f);
    EXPECT_EQ(t.holes[0].sizeLayer, 0);
    EXPECT_EQ(t.holes[1].x, 3.0f);
    EXPECT_EQ(t.holes[1].colourLayer, 1);
    EXPECT_EQ(t.layers[1].textSlot, "X3.0Y4.0");
    EXPECT_EQ(t.PathCount, -1);
}

TEST(PlotScanner, HoleLineRules) {
    // A missing Y reads as 0; an existing tool keeps its first width; "T1"
    // selects T10 when T10 comes first, since T1 lies inside it.
    const PlotTables t = scanned("T10C2.0\nT1C0.5\nT1C9\nT1\nX5.0\nT1C\nY7", {});
    ASSERT_EQ(t.HoleCount, 1);
    EXPECT_EQ(t.holes[0].x, 5.0f);
    EXPECT_EQ(t.holes[0].y, 0.0f);
    EXPECT_EQ(t.holes[0].sizeLayer, 0);  // T10
    EXPECT_FLOAT_EQ(t.layers[1].width, 0.5f);
    EXPECT_EQ(t.holes[1].sizeLayer, 1);  // "T1C" selected T1 by its code
    EXPECT_EQ(t.holes[1].x, 0.0f);       // no X: the number of the whole line "Y7"
    EXPECT_EQ(t.holes[1].y, 7.0f);
}

TEST(PlotScanner, GcodeRecordsAndLayerChanges) {
    const PlotTables t = scanned({}, "LAYER1\r\nG00X0Y0\r\nG01X10.Y0\r\nG02X20.Y0I5.J0");
    EXPECT_EQ(t.layers[0].name, "LAYER1");
    EXPECT_EQ(t.PathCount, 3);
    EXPECT_EQ(t.HoleCount, -1);
    EXPECT_TRUE(sameRows(
        t, {{0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {10, 0, 0, 0, 1, 0}, {20, 0, 5, 0, 2, 0}}));
}

TEST(PlotScanner, GcodeFieldRules) {
    // Fields split at commas; "*" fields are skipped; the motion word gives the G
    // number ("G90G01" is a feed); a record without X stays at the last X, which also carries into
    // the next layer-change record; an empty field changes nothing.
    const PlotTables t = scanned(
        {}, "A\nG00X1Y2,G01X3Y4 , *G01X9Y9\nG90G01Y5\n\nB,\n\"C,D\",G81X7Y8\nA\nG03X1Y1I-1J.5");
    EXPECT_EQ(t.layers[0].name, "A");
    EXPECT_EQ(t.layers[1].name, "B");
    EXPECT_EQ(t.layers[2].name, "C,D");
    EXPECT_TRUE(sameRows(t, {{0, 0, 0, 0, 0, 0},
                             {1, 2, 0, 0, 0, 0},
                             {3, 4, 0, 0, 1, 0},
                             {3, 5, 0, 0, 1, 0},
                             {3, 5, 0, 0, 0, 1},
                             {3, 5, 0, 0, 0, 2},
                             {7, 8, 0, 0, 81, 2},
                             {7, 8, 0, 0, 0, 0},
                             {1, 1, -1, 0.5f, 3, 0}}));
}

TEST(PlotScanner, TextWithoutGLeavesThePathListEmpty) {
    const PlotTables t = scanned({}, "LAYER1\r\nX10Y10\r\nM30");
    EXPECT_EQ(t.PathCount, -1);
    EXPECT_TRUE(t.paths.empty());
}

TEST(PlotScanner, SecondByteOfAKanjiIsNoLetter) {
    // 0x83 0x47 and 0x83 0x58 are kana whose second bytes are "G" and "X".
    const PlotTables noG = scanned({}, "\x83\x47\r\nM30");
    EXPECT_EQ(noG.PathCount, -1);
    const PlotTables holes = scanned("(\x83\x58\x83\x59)\r\nT1C1.0\r\nX1Y1", {});
    EXPECT_EQ(holes.HoleCount, 0);
    const PlotTables gcode = scanned({}, "\x83\x47\x83\x58\r\nG01X4Y5");
    EXPECT_EQ(gcode.layers[0].name, "\x83\x47\x83\x58");
    EXPECT_EQ(gcode.PathCount, 1);
    EXPECT_EQ(gcode.paths[1].x, 4.0f);
}

TEST(PlotScanner, ToolCarriesIntoTheGcodePassAndFlagsSurviveARescan) {
    PlotTables t;
    scanPlotTables(t, {"T1C0.8\nT2C1.0\nT2\nX1Y1", "G01X1Y1"});
    EXPECT_EQ(t.paths[0].layer, 1);
    t.layers[1].visible = false;
    t.layers[1].width = 3;
    scanPlotTables(t, {{}, "L\nG01X1Y1"});
    EXPECT_FALSE(t.layers[1].visible);
    EXPECT_EQ(t.layers[1].width, 0);
    EXPECT_EQ(t.layers[1].name, "");
    EXPECT_EQ(t.HoleCount, -1);
    EXPECT_EQ(t.paths[1].layer, 0);
}

TEST(PlotScanner, FullLayerTableKeepsTheToolButStillRecordsTheChange) {
    std::string text;
    for (int k = 0; k < 256; ++k) {
        text += "L" + std::to_string(k) + "\nG01X" + std::to_string(k) + "Y0\n";
    }
    text += "L5\nOVERFLOW\nG01X1Y1\n";
    const PlotTables t = scanned({}, text);
    EXPECT_EQ(t.layers[255].name, "L255");
    EXPECT_EQ(t.layers[256].name, "");
    ASSERT_EQ(t.PathCount, 256 * 2 + 2);
    EXPECT_EQ(t.paths[512].layer, 5);  // L5 again
    EXPECT_EQ(t.paths[513].layer, 5);  // OVERFLOW found no slot
    EXPECT_EQ(t.paths[513].g, 0);
    EXPECT_EQ(t.paths[514].layer, 5);
}

TEST(PlotScanner, FieldCountMatchesTheFieldReader) {
    std::vector<std::string> texts = {
        "",          "a",       "a\r\n", "a,b\r\nc", "a\rb\nc\r\n\r\nd,", ",,\n", "\"x,y\",z\nq",
        "G01\n\n\n", "\r\r\n\n"};
    // Long texts, counted eight bytes at a time: a CR LF on either side of each
    // word boundary, lone CRs and LFs, runs of line ends and commas.
    for (int shift = 0; shift < 17; ++shift) {
        const std::string pad(static_cast<std::size_t>(shift), 'x');
        texts.push_back(pad + "\r\nG01X1,Y2\r\r\n\n,\rab\r\n\r\n" + pad + "cdefghij\r");
        texts.push_back(pad + "\n\r\n\r,,,,,,,,,\r\n" + pad);
    }
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        std::size_t want = 0;
        text::CommaFieldReader reader(text);
        for (std::string_view f; reader.next(f);) {
            ++want;
        }
        EXPECT_EQ(countCommaFields(text), want);
    }
}

TEST(PlotScanner, NumbersReadAsTheSharedReaderReadsThem) {
    for (const char* t : {"10.",
                          "-.5",
                          "+7",
                          ".",
                          "",
                          "-",
                          "1.2.3",
                          "0.1",
                          "123.456Y",
                          "1 2",
                          "- 5",
                          " 3",
                          "1e5",
                          "1E",
                          "2D3",
                          "12345678901234567890",
                          "999999999999999.9",
                          "0.00000000000000000000001",
                          "9007199254740993",
                          "0.30000000000000004",
                          "-0",
                          "00012.500",
                          "3.4e39",
                          "1\t2"}) {
        SCOPED_TRACE(t);
        const double fast = numberAfter(t, std::string_view::npos);
        const double slow = text::numericValue(t);
        EXPECT_EQ(std::memcmp(&fast, &slow, sizeof fast), 0) << fast << " vs " << slow;
        EXPECT_EQ(numberAfter(std::string("X") + t, 0), slow);
    }
}

TEST(PlotScanner, MotionWordsReadAsTheLetterRulesReadThem) {
    // Each number of the table in every word of a motion field: its value is the
    // shared reader's, whatever way the field is taken apart.
    for (const char* t : {"10.", "-.5", "+7", ".", "", "-", "1.2.3", "0.1", "1 2", "1e5", "2D3",
                          "12345678901234567890", "9007199254740993", "0.30000000000000004", "-0",
                          "00012.500", "3.4e39", "-1234.5678"}) {
        SCOPED_TRACE(t);
        const std::string n = t;
        const PlotTables a = scanned({}, "G01X" + n + "Y" + n + "\nG02X" + n + "I" + n + "J" + n);
        const float want = static_cast<float>(text::numericValue(t));
        ASSERT_EQ(a.PathCount, 1);
        for (const float got :
             {a.paths[0].x, a.paths[0].y, a.paths[1].x, a.paths[1].i, a.paths[1].j}) {
            EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0) << got << " vs " << want;
        }
    }
    // A letter twice, a G word that is not the first or other letters: the first
    // occurrence of each letter counts.
    EXPECT_TRUE(sameRows(scanned({}, "G01X1Y2X3\nG01X4G02Y5\nG01X6F100Y7Z1"),
                         {{1, 2, 0, 0, 1, 0}, {4, 5, 0, 0, 1, 0}, {6, 7, 0, 0, 1, 0}}));
}

TEST(PlotScanner, OtherProgramsGcodeScansAsItsRewrittenText) {
    // Fields rewritten one by one as they are read give the tables of the text
    // rewritten whole first.
    for (const char* gcode :
         {"g0 x1 y5\r\ng1 y4\r\ng3 x2 y3 i1",
          "(A)\r\nG1 X1.\r\nY10.\r\nX5.Y2.,x7\r\n(B)\r\nG80\r\nX3 Y3",
          "G18 G2 X1 Z1 I1 K0\r\nG02X2Z2I1K0\r\nG17 G3 X0 Y0 I-1 J0\r\nG02X1Y1I1J0",
          "\"g1 x1\",G1X2\r\nL\r\ng1 x3, y4\rN10 G0 X1", "g1 x1\ry2\nx3",
          "(only lower case) g1 x1 y2\r\nlayer\r\nx5", "t4 m6\r\nG90\r\nG04 P1\r\nS3000"}) {
        SCOPED_TRACE(gcode);
        const std::optional<std::string> own = text::ownGcode(gcode);
        const PlotTables direct = scanned({}, gcode);
        const PlotTables rewritten = scanned({}, own ? std::string_view(*own) : gcode);
        ASSERT_EQ(direct.PathCount, rewritten.PathCount);
        for (std::size_t k = 0; k < direct.paths.size(); ++k) {
            const PathRow& a = direct.paths[k];
            const PathRow& b = rewritten.paths[k];
            EXPECT_TRUE(a.x == b.x && a.y == b.y && a.i == b.i && a.j == b.j && a.g == b.g &&
                        a.layer == b.layer)
                << "row " << k;
        }
        EXPECT_EQ(direct.pathLines, rewritten.pathLines);
        for (std::size_t k = 0; k < direct.layers.size(); ++k) {
            EXPECT_EQ(direct.layers[k].name, rewritten.layers[k].name);
        }
    }
}

}  // namespace
}  // namespace talmir::graphic
