// The graphic frame's tools without a window: the perimeter picks and the
// line-width tables.
#include "core/graphic/LineWidthTable.h"
#include "core/graphic/Measure.h"
#include "core/graphic/PlotScanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace talmir::graphic {
namespace {

constexpr double kPi = std::numbers::pi;

// A 20 x 10 rectangle from the origin (no rapid move before it), then after a
// rapid move a full circle of radius 5 around (35, 5) and a quarter arc of
// radius 10.
constexpr const char* kProgram =
    "(RECT)\r\n"
    "G01X20.Y0\r\nG01X20.Y10.\r\nG01X0Y10.\r\nG01X0Y0\r\n"
    "(ROUND)\r\n"
    "G00X30.Y5.\r\nG02X30.Y5.I5.J0\r\nG02X40.Y15.I10.J0\r\n";

PlotTables scanned(std::string_view gcode = kProgram) {
    PlotTables tables;
    scanPlotTables(tables, {std::nullopt, gcode});
    return tables;
}

struct PickCase {
    const char* name;
    double x;
    double y;
    PickMode mode;
    double want;  // SelectedLength after one click; 0 = nothing picked
};

class PerimeterPick : public testing::TestWithParam<PickCase> {};

TEST_P(PerimeterPick, AddsTheLengthOfWhatIsUnderTheClick) {
    PlotTables tables = scanned();
    float total = 0;
    const bool picked =
        pickForLength(tables, total, GetParam().x, GetParam().y, GetParam().mode, false);
    EXPECT_EQ(picked, GetParam().want != 0);
    EXPECT_NEAR(total, GetParam().want, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, PerimeterPick,
    testing::Values(
        // Horizontal and vertical lines have no slope to divide by.
        PickCase{"on_horizontal_line", 10, 0.5, PickMode::Single, 20},
        PickCase{"on_vertical_line", 19.2, 5, PickMode::Single, 10},
        PickCase{"beyond_the_line_end", 23, 0, PickMode::Single, 0},
        PickCase{"too_far", 10, 2.5, PickMode::Single, 0},
        PickCase{"full_circle", 40.5, 5, PickMode::Single, 2 * kPi * 5},
        // The quarter arc from (30, 5) around (40, 5) to (40, 15): a click on its
        // circle but below the centre is off the arc.
        PickCase{"quarter_arc", 40 - 10 * std::cos(kPi / 4), 5 + 10 * std::sin(kPi / 4),
                 PickMode::Single, 10 * kPi / 2},
        PickCase{"beside_the_arc", 40, -5, PickMode::Single, 0},
        // No rapid move before the rectangle: its contour starts at the first record.
        PickCase{"contour_from_the_first_record", 10, 0.5, PickMode::Continuous, 60},
        PickCase{"contour_after_a_rapid_move", 40.5, 5, PickMode::Continuous,
                 2 * kPi * 5 + 10 * kPi / 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PerimeterPick, CountsAnElementOnceAndShiftTakesItBack) {
    PlotTables tables = scanned();
    float total = 0;
    pickForLength(tables, total, 10, 0.5, PickMode::Single, false);
    pickForLength(tables, total, 10, 0.5, PickMode::Single, false);
    EXPECT_FLOAT_EQ(total, 20);
    // Shift on an element that is not selected does nothing.
    pickForLength(tables, total, 19.5, 5, PickMode::Single, true);
    EXPECT_FLOAT_EQ(total, 20);
    pickForLength(tables, total, 10, 9.5, PickMode::Continuous, false);
    EXPECT_FLOAT_EQ(total, 60);
    pickForLength(tables, total, 10, 0.5, PickMode::Single, true);
    EXPECT_FLOAT_EQ(total, 40);
    int marked = 0;
    for (const PathRow& row : tables.paths) {
        marked += row.mark != 0 ? 1 : 0;
    }
    EXPECT_EQ(marked, 3);
}

TEST(PerimeterPick, HiddenLayersAreNotPicked) {
    PlotTables tables = scanned();
    for (LayerSlot& slot : tables.layers) {
        slot.visible = slot.name != "(RECT)";
    }
    float total = 0;
    EXPECT_FALSE(pickForLength(tables, total, 10, 0.5, PickMode::Single, false));
}

TEST(ProgramMeasure, SumsCutAndRapidLengthsPerLayer) {
    const ProgramMeasure measure = measureProgram(scanned());
    ASSERT_EQ(measure.layers.size(), 2u);
    EXPECT_EQ(measure.layers[0].name, "(RECT)");
    EXPECT_NEAR(measure.layers[0].cutLength, 60, 1e-9);
    EXPECT_EQ(measure.layers[0].elements, 4);
    EXPECT_NEAR(measure.layers[1].rapidLength, std::hypot(30, 5), 1e-5);
    EXPECT_NEAR(measure.total.cutLength, 60 + 10 * kPi + 5 * kPi, 1e-4);
    EXPECT_EQ(measure.total.elements, 6);
}

TEST(WidthTable, RecordsReadBackWholeWhateverTheirNames) {
    const std::vector<WidthRecord> records = {
        {"D10", "0.250", 255},
        {"say \"hi\", twice", "1.000", 16711680},
        {"", "9.000", 1},  // no name: no record
        {"T1", "0.800", 65280},
    };
    const std::string file = writeWidthTable(records);
    EXPECT_EQ(file.substr(0, 19), "\"D10\",\"0.250\",255\r\n");
    const std::vector<WidthRecord> back = readWidthTable(file);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0], records[0]);
    EXPECT_EQ(back[1], records[1]);
    EXPECT_EQ(back[2], records[3]);
}

TEST(WidthTable, AppliesSizesAndColoursByName) {
    PlotTables tables = scanned();
    ColourTable colours;
    const int changed = applyWidthTable(
        {{"(ROUND)", "-0.5", 255}, {"(NONE)", "3", 1}, {"(RECT)", "1e999", 255}}, tables, colours);
    EXPECT_EQ(changed, 1);
    EXPECT_FLOAT_EQ(tables.layers[1].width, 0.5f);  // the absolute value
    EXPECT_EQ(colours.layer(1), 255u);
    EXPECT_EQ(tables.layers[0].width, 0);  // a size past single precision is refused
    EXPECT_EQ(colours.layer(0), kDefaultLayerColour);
}

TEST(WidthTable, SizesAndFileNames) {
    EXPECT_EQ(drawingSize("abc"), 0.0f);
    EXPECT_EQ(drawingSize("-2.5mm"), 2.5f);
    EXPECT_FALSE(drawingSize("1e999"));
    EXPECT_FALSE(drawingSize("1e39"));
    EXPECT_EQ(tableFileName("board.apt"), "board.apt");
    for (const char* outside : {"../x", "/etc/passwd", "a\\b", "..", ".", "", "sub/x"}) {
        EXPECT_FALSE(tableFileName(outside)) << outside;
    }
}

}  // namespace
}  // namespace talmir::graphic
