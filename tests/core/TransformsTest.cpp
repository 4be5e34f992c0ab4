#include "core/graphic/PlotScanner.h"
#include "core/graphic/Transforms.h"

#include <gtest/gtest.h>

namespace talmir::graphic {
namespace {

struct TextCase {
    const char* name;
    std::string (*rewrite)(std::string_view);
    const char* input;
    const char* want;
};

class TextRewrite : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextRewrite, WritesTheProgram) {
    EXPECT_EQ(GetParam().rewrite(GetParam().input), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextRewrite,
    ::testing::Values(
        TextCase{"MirrorXTurnsTheArc",
                 [](std::string_view t) { return mirrorGcodeText(t, Mirror::X); },
                 "G02X10.Y0.I5.J0", "G03X-10.0Y0.0I-5.0J0.0\r\n"},
        TextCase{"MirrorYCarriesMissingWords",
                 [](std::string_view t) { return mirrorGcodeText(t, Mirror::Y); },
                 "(T1)\r\nG00X1.5Y2\r\n\r\nG01Y5.0\r\nM30",
                 "(T1)\r\nG00X1.5Y-2.0\r\nG01X1.5Y-5.0\r\nM30\r\n"},
        TextCase{"SwapAxesOfItemsOnOneLine",
                 [](std::string_view t) { return mirrorGcodeText(t, Mirror::SwapAxes); },
                 "G01X1Y2,G03X3Y4I1J0", "G01X2.0Y1.0\r\nG02X4.0Y3.0I0.0J1.0\r\n"},
        // Only items starting with a motion word are mirrored.
        TextCase{"MirrorLeavesOtherItems",
                 [](std::string_view t) { return mirrorGcodeText(t, Mirror::X); },
                 "G90\r\nG1X5\r\nG81X2Y3", "G90\r\nG1X5\r\nG81X-2.0Y3.0\r\n"},
        TextCase{"ScaleMotionItems", [](std::string_view t) { return scaleGcodeText(t, 2); },
                 "G00X1Y2\r\nG02X3Y4I0.5J-0.25\r\nG81X1",
                 "G00X2.0Y4.0\r\nG02X6.0Y8.0I1.0J-0.5\r\nG81X2.0Y8.0\r\n"},
        TextCase{"ScaleByZeroCollapses", [](std::string_view t) { return scaleGcodeText(t, 0); },
                 "G01X1Y2", "G01X0.0Y0.0\r\n"},
        // "G90" and a comment holding a G are no moves: they stay as they are.
        TextCase{"ScaleCopiesOtherGItems", [](std::string_view t) { return scaleGcodeText(t, 3); },
                 "G90\r\n(GROOVE)\r\nG1X1", "G90\r\n(GROOVE)\r\nG01X3.0Y0.0\r\n"},
        TextCase{"MoveKeepsArcOffsets", [](std::string_view t) { return moveGcodeText(t, 1, -2); },
                 "G03X1Y1I-1J0\r\nG01X0.000001Y0", "G03X2.0Y-1.0I-1.0J0.0\r\nG01X1.0Y-2.0\r\n"},
        TextCase{"HoleSwap", [](std::string_view t) { return mirrorHoleText(t, Mirror::SwapAxes); },
                 "T1\r\n\r\nX1.5Y2.5\r\nY3", "T1\r\nX2.5Y1.5\r\nX3.0Y0.0\r\n"},
        TextCase{"HoleScale", [](std::string_view t) { return scaleHoleText(t, 0.5); }, "X3Y-1",
                 "X1.5Y-0.5\r\n"},
        TextCase{"HoleMoveInGeneralForm",
                 [](std::string_view t) { return moveHoleText(t, 0.25, 10); }, "T2C0.8\r\nX1Y2",
                 "T2C0.8\r\nX1.25Y12\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Transforms, ModelFollowsTheText) {
    PlotTables tables;
    const std::string program = "(A)\r\nG00X1Y2\r\nG02X3Y2I1J0\r\n";
    scanPlotTables(tables, {{}, program});
    mirrorPaths(tables, Mirror::X);
    PlotTables fromText;
    const std::string mirrored = mirrorGcodeText(program, Mirror::X);
    scanPlotTables(fromText, {{}, mirrored});
    ASSERT_EQ(tables.PathCount, fromText.PathCount);
    for (int n = 0; n <= tables.PathCount; ++n) {
        const PathRow& a = tables.paths[static_cast<std::size_t>(n)];
        const PathRow& b = fromText.paths[static_cast<std::size_t>(n)];
        EXPECT_EQ(a.x, b.x) << n;
        EXPECT_EQ(a.y, b.y) << n;
        EXPECT_EQ(a.i, b.i) << n;
        EXPECT_EQ(a.g, b.g) << n;
    }
    EXPECT_EQ(tables.paths.back().g, 3);
}

TEST(Transforms, SingleText) {
    EXPECT_EQ(singleText(1.5f), "1.5");
    EXPECT_EQ(singleText(-0.25f), "-0.25");
    EXPECT_EQ(singleText(12.0f), "12");
    EXPECT_EQ(singleText(1234567.0f), "1234567");
    EXPECT_EQ(singleText(12345678.0f), "1.234568E+07");
    EXPECT_EQ(singleText(0.1f), "0.1");
    EXPECT_EQ(singleText(-0.0f), "0");
}

}  // namespace
}  // namespace talmir::graphic
