#include "core/export/ExportText.h"
#include "core/export/GcodeToDxf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talmir::exporters {
namespace {

// The DXF lines between "ENTITIES" and the closing "ENDSEC", joined by blanks
// ("  0 LINE ..." reads as "0 LINE ...").
std::string entities(const std::string& dxf) {
    const auto start = dxf.find("ENTITIES\r\n");
    const auto end = dxf.rfind("  0\r\nENDSEC");
    if (start == std::string::npos || end == std::string::npos) {
        return "(no entities section)";
    }
    std::string text;
    std::size_t pos = start + 10;
    while (pos < end) {
        const auto eol = dxf.find("\r\n", pos);
        std::string line = dxf.substr(pos, eol - pos);
        line.erase(0, line.find_first_not_of(' '));
        text += (text.empty() ? "" : " ") + line;
        pos = eol + 2;
    }
    return text;
}

std::string convert(const std::string& gcode, std::vector<double> colours = {5, 5, 5}) {
    const auto dxf = gcodeToDxf(gcode, DxfOptions{std::move(colours)});
    if (!dxf) {
        return "failure " + std::to_string(dxf.failure().number) + " " + dxf.failure().description;
    }
    return entities(dxf.value());
}

std::vector<std::string> itemsOf(std::string_view text) {
    std::vector<std::string> items;
    ItemReader reader(text);
    for (std::string_view item; reader.next(item);) {
        items.emplace_back(item);
    }
    return items;
}

TEST(ItemReader, ReadsTheSnapshotItemByItem) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"lines", "G00X0Y0\r\nM30", {"G00X0Y0", "M30"}},
        {"commas end items", "G01X1,G01X2\nM30", {"G01X1", "G01X2", "M30"}},
        {"blanks around items dropped", "  (T1) , G00X1  \r\n", {"(T1)", "G00X1"}},
        {"empty line inside", "A\r\n\r\nB", {"A", "", "B"}},
        {"empty line before the last line end", "A\n\n", {"A", ""}},
        {"line end at the end", "A\r\n", {"A"}},
        {"comma before a line end", "A,\r\nB", {"A", "", "B"}},
        {"comma at the very end", "A,B,", {"A", "B"}},
        {"quoted item keeps commas", "\"a,b\" x,C\r\nD", {"a,b", "C", "D"}},
        {"unclosed quote runs to the line end", "\"a,b\r\nC", {"a,b", "C"}},
        {"empty text", "", {}},
        {"lone line end", "\n", {""}},
        {"comma before the last line end", "A,\r\n", {"A", ""}},
        {"CR only", "A\rB\r", {"A", "B"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(itemsOf(c.text), c.items);
        EXPECT_EQ(countItems(c.text), c.items.size());
    }
}

TEST(HasMotionCode, FindsTheFiveCodesAnywhere) {
    EXPECT_TRUE(hasMotionCode("N10G00X1"));
    EXPECT_TRUE(hasMotionCode("G90G03X1"));
    EXPECT_TRUE(hasMotionCode("G81"));
    EXPECT_FALSE(hasMotionCode("G04P1"));
    EXPECT_FALSE(hasMotionCode("G1X5"));
    EXPECT_FALSE(hasMotionCode("G8"));
    EXPECT_FALSE(hasMotionCode("g01x1"));
    EXPECT_FALSE(hasMotionCode("(T1)"));
}

TEST(GcodeToDxf, EntitiesOfOneMotionLine) {
    struct Case {
        const char* name;
        std::string gcode;
        std::string entities;
    };
    const std::string lineHead = "0 LINE 8 10 62 7 6 CONTINUOUS";
    const Case cases[] = {
        {"clockwise half circle", "G02X10.Y0.I5.J0.",
         "0 ARC 8 10 62 7 6 CONTINUOUS 10 5.0 20 0.0 30 0.0 40 5.0 50 0.0 51 180.0000050089563"},
        {"counter-clockwise half circle", "G03X10.Y0.I5.J0.",
         "0 ARC 8 10 62 7 6 CONTINUOUS 10 5.0 20 0.0 30 0.0 40 5.0 50 180.0000050089563 51 0.0"},
        {"quarter angles from the single-precision constants", "G03X0.Y-10.I0.J-5.",
         "0 ARC 8 10 62 7 6 CONTINUOUS 10 0.0 20 -5.0 30 0.0 40 5.0 50 90.0000025044781 51 "
         "270.0000006832452"},
        {"full circle", "G03X0.Y0.I5.J0.",
         "0 CIRCLE 8 10 62 7 6 CONTINUOUS 10 5.0 20 0.0 30 0.0 40 5.0"},
        {"single precision shows", "G01X1.Y12.3",
         lineHead + " 10 0.0 20 0.0 30 0.0 11 1.0 21 12.30000019 31 0.0"},
        {"zero-length feed is a point", "G01X0Y0", "0 POINT 8 10 62 7 10 0.0 20 0.0 30 0.0"},
        {"drilling position", "G81X5.Y-5.", "0 POINT 8 10 62 7 10 5.0 20 -5.0 30 0.0"},
        {"rapid writes nothing", "G00X5.Y5.", ""},
        {"a modal G word before the motion word", "G90G01X0.Y5.",
         lineHead + " 10 0.0 20 0.0 30 0.0 11 0.0 21 5.0 31 0.0"},
        {"zero radius arc", "G02X0Y0I0J0",
         "0 ARC 8 10 62 7 6 CONTINUOUS 10 0.0 20 0.0 30 0.0 40 0.0 50 90.0000025044781 51 "
         "270.0000006832452"},
        {"overflow", "G01X1E39", "failure 6 オーバーフローしました。"},
        {"overflow of an infinite number", "G01Y1E400", "failure 6 オーバーフローしました。"},
        {"no motion line", "(T1)\r\nM30", "failure 0 変換可能なコマンドが、見つかりませんでした"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(convert(c.gcode), c.entities);
    }
}

TEST(GcodeToDxf, PositionMovesWithEveryMotionRecord) {
    // G00X5.Y5. moves to 5,5 so the G01 there is a point; G00Z5. returns to 0,0.
    EXPECT_EQ(convert("G00X5.Y5.\r\nG01X5.Y5.\r\nG00Z5.\r\nG01X0Y0"),
              "0 POINT 8 10 62 7 10 5.0 20 5.0 30 0.0 0 POINT 8 10 62 7 10 0.0 20 0.0 30 0.0");
}

TEST(GcodeToDxf, SectionLinesBecomeLayersWithTheirColours) {
    const std::string gcode =
        "G01X1.Y0.\r\n(T1)\r\nG01X2.Y0.\r\n(T2)\r\nG81X3.Y3.\r\n(T1)\r\nG81X4.Y4.\r\nM30";
    const auto dxf = gcodeToDxf(gcode, DxfOptions{{2, 6}});
    ASSERT_TRUE(dxf.ok());
    const std::string& text = dxf.value();
    // Three section layers plus one; layer "10" has no entry.
    EXPECT_NE(text.find("LAYER\r\n 70\r\n     4\r\n"), std::string::npos);
    EXPECT_NE(text.find("  2\r\n(T1)\r\n 70\r\n     0\r\n 62\r\n     2\r\n"), std::string::npos);
    EXPECT_NE(text.find("  2\r\n(T2)\r\n 70\r\n     0\r\n 62\r\n     6\r\n"), std::string::npos);
    EXPECT_NE(text.find("  2\r\nM30\r\n 70\r\n     0\r\n 62\r\n     0\r\n"), std::string::npos);
    EXPECT_EQ(text.find("  2\r\n10\r\n"), std::string::npos);
    EXPECT_EQ(entities(text),
              "0 LINE 8 10 62 7 6 CONTINUOUS 10 0.0 20 0.0 30 0.0 11 1.0 21 0.0 31 0.0 "
              "0 LINE 8 (T1) 62 2 6 CONTINUOUS 10 1.0 20 0.0 30 0.0 11 2.0 21 0.0 31 0.0 "
              "0 POINT 8 (T2) 62 6 10 3.0 20 3.0 30 0.0 "
              "0 POINT 8 (T1) 62 2 10 4.0 20 4.0 30 0.0");
    EXPECT_EQ(text.substr(text.size() - 18), "ENDSEC\r\n  0\r\nEOF\r\n");
}

TEST(GcodeToDxf, MoreThan256SectionLinesFail) {
    std::string gcode = "G01X1Y1\r\n";
    for (int i = 1; i <= 256; ++i) {
        gcode += "(T" + std::to_string(i) + ")\r\n";
    }
    EXPECT_TRUE(gcodeToDxf(gcode, {}).ok());
    EXPECT_TRUE(gcodeDxfLayers(gcode + "(T1)").ok());
    const auto failed = gcodeToDxf(gcode + "(T257)", {});
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.failure().number, 9);
    EXPECT_FALSE(gcodeDxfLayers(gcode + "(T257)").ok());
}

TEST(GcodeToDxf, LayersListedForTheColourDialog) {
    const auto layers = gcodeDxfLayers("%\r\n(T1)\r\nG01X1\r\n(T2)\r\n(T1)\r\nM30");
    ASSERT_TRUE(layers.ok());
    EXPECT_EQ(layers.value(), (std::vector<std::string>{"%", "(T1)", "(T2)", "M30"}));
}

TEST(DxfDialogColours, AllCyclesOneToSevenSameRepeatsTheCommonColour) {
    EXPECT_EQ(dxfDialogColours(DxfColourMode::All, 5, 9),
              (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 1, 2}));
    EXPECT_EQ(dxfDialogColours(DxfColourMode::Same, 3, 3), (std::vector<double>{3, 3, 3}));
    EXPECT_TRUE(dxfDialogColours(DxfColourMode::All, 5, 0).empty());
}

}  // namespace
}  // namespace talmir::exporters
