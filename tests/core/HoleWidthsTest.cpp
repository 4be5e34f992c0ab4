#include "core/graphic/HoleWidths.h"
#include "core/graphic/PlotScanner.h"

#include <gtest/gtest.h>

namespace talmir::graphic {
namespace {

TEST(HoleWidths, OnlyChangedToolsAreRewrittenAndNothingElseMoves) {
    const std::string holes =
        "T01C1.0\r\nT02C2.0\r\n(COMMENT)\r\nT01\r\nX1.Y1.\r\nT02\r\nX2.Y2.\r\nM30";
    PlotTables tables;
    ScanTexts texts;
    texts.holeText = holes;
    scanPlotTables(tables, texts);
    const std::vector<float> before = layerWidths(tables);
    EXPECT_EQ(holeTextWithToolWidths(holes, tables, before), holes);

    ASSERT_EQ(tables.layers[1].name, "T02");
    tables.layers[1].width = 2.5f;
    EXPECT_EQ(holeTextWithToolWidths(holes, tables, before),
              "T01C1.0\r\nT02C2.500\r\n(COMMENT)\r\nT01\r\nX1.Y1.\r\nT02\r\nX2.Y2.\r\nM30");
}

}  // namespace
}  // namespace talmir::graphic
