#include "core/graphic/PlotScanner.h"

#include "core/text/CommaFields.h"
#include "core/text/NumericValue.h"

#include <gtest/gtest.h>

#include <cstring>
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
    for (const char* text : {"", "a", "a\r\n", "a,b\r\nc", "a\rb\nc\r\n\r\nd,", ",,\n",
                             "\"x,y\",z\nq", "G01\n\n\n", "\r\r\n\n"}) {
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

}  // namespace
}  // namespace talmir::graphic
