#include "core/graphic/ColourTable.h"
#include "core/graphic/PlotScanner.h"
#include "core/graphic/PlotView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace talmir::graphic {
namespace {

PlotView fitted(std::string_view holes, std::string_view gcode) {
    PlotTables t;
    scanPlotTables(t, {holes.empty() ? std::nullopt : std::optional(holes),
                       gcode.empty() ? std::nullopt : std::optional(gcode)});
    PlotView v;
    fitView(v, t);
    return v;
}

struct FitCase {
    const char* name;
    const char* holes;
    const char* gcode;
    float left, right, bottom, top;
};

class PlotFitTest : public testing::TestWithParam<FitCase> {};

TEST_P(PlotFitTest, BoundsWithAMarginOf5) {
    const FitCase& c = GetParam();
    const PlotView v = fitted(c.holes, c.gcode);
    EXPECT_EQ(v.ViewLeft, c.left);
    EXPECT_EQ(v.ViewRight, c.right);
    EXPECT_EQ(v.ViewBottom, c.bottom);
    EXPECT_EQ(v.ViewTop, c.top);
    EXPECT_EQ(v.ViewWidth, c.right - c.left);
    EXPECT_EQ(v.ViewHeight, c.top - c.bottom);
    EXPECT_EQ(v.ViewCentreX, c.left + (c.right - c.left) / 2);
    EXPECT_EQ(v.ViewCentreY, c.top - (c.top - c.bottom) / 2);
    EXPECT_EQ(v.ChordStep, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Fit, PlotFitTest,
    testing::Values(
        FitCase{"HolesWithTheirRadius", "T1C1\nT1\nX0Y0\nX10Y20", "", -5.5, 15.5, -5.5, 25.5},
        // A lone hole is still in view (row 0 counts for holes).
        FitCase{"SingleHole", "T1C1\nT1\nX7Y8", "", 1.5, 12.5, 2.5, 13.5},
        // Path row 0, the layer-change record at the old last point, stays out.
        FitCase{"PathsSkipTheFirstRow", "", "L\nG00X100Y100\nG01X110Y90", 95, 115, 85, 105},
        FitCase{"SinglePathRecord", "", "G01X100Y100", 95, 105, 95, 105},
        // A full circle that starts at its rightmost point: X + 2I, Y - I, Y + I.
        FitCase{"FullCircle", "", "L\nG00X10Y0\nG02X10Y0I-20J0", -35, 15, -25, 25},
        FitCase{"HolesAndPaths", "T1C1\nT1\nX-50Y0", "L\nG00X0Y0\nG01X10Y60", -55.5, 15, -5.5, 65},
        FitCase{"HalfCircleClockwiseOverTheTop", "", "L\nG00X0Y0\nG02X100Y0I50J0", -5, 105, -5, 55},
        FitCase{"HalfCircleCounterClockwiseBelow", "", "L\nG00X0Y0\nG03X100Y0I50J0", -5, 105, -55,
                5},
        FitCase{"QuarterArcTakesNoMore", "", "L\nG00X10Y0\nG03X0Y10I-10J0", -5, 15, -5, 15},
        FitCase{"FullCircleFromItsTop", "", "L\nG00X0Y10\nG03X0Y10I0J-10", -15, 15, -15, 15},
        FitCase{"InfinityIsPassedOver", "", "L\nG00X0Y0\nG01X1e999Y5\nG01X10Y-1e999\nG01X4Y4", -5,
                9, -5, 9},
        FitCase{"NoDataWidensTheOldView", "", "", -5, 5, -5, 5}),
    [](const testing::TestParamInfo<FitCase>& info) { return info.param.name; });

TEST(PlotView, WorldWindowWidensToTheSurface) {
    PlotView v;
    v.ViewWidth = v.ViewHeight = 10;
    boundsFromCentre(v);
    const WorldWindow wide = *worldWindow(v, 200, 100);
    EXPECT_EQ(wide.top, 5);
    EXPECT_EQ(wide.bottom, -5);
    EXPECT_EQ(wide.left, -10);
    EXPECT_EQ(wide.right, 10);
    const WorldWindow tall = *worldWindow(v, 100, 400);
    EXPECT_EQ(tall.left, -5);
    EXPECT_EQ(tall.top, 20);
    EXPECT_EQ(tall.toPixelX(-5), 0);
    EXPECT_EQ(tall.toPixelY(20), 0);
    EXPECT_EQ(tall.toWorldY(400), -20);
    v.ViewWidth = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(worldWindow(v, 100, 100));
    v.ViewWidth = 0;
    EXPECT_FALSE(worldWindow(v, 100, 100));
}

TEST(PlotView, ZoomInIsRefusedAtWidth2OrChordStep001) {
    struct Case {
        float width, step;
        bool zooms;
    };
    for (const Case c : {Case{2.1f, 3, true}, Case{2, 3, false}, Case{1, 100, false},
                         Case{100, 0.02f, true}, Case{100, 0.01f, false}}) {
        SCOPED_TRACE(c.width);
        PlotView v;
        v.ViewWidth = v.ViewHeight = c.width;
        v.ChordStep = c.step;
        EXPECT_EQ(zoomIn(v), c.zooms);
        EXPECT_EQ(v.ViewWidth, c.zooms ? c.width / 2 : c.width);
        EXPECT_EQ(wheelStep(v, 1), c.zooms && v.ViewWidth > 2 && v.ChordStep > 0.01f);
    }
}

TEST(PlotView, WheelStepsForwardAndBackDoNotReturnToTheFit) {
    PlotView v = fitted("", "L\nG00X0Y0\nG01X100Y50");
    const PlotView fit = v;
    for (int k = 0; k < 10; ++k) {
        ASSERT_TRUE(wheelStep(v, 1));
    }
    for (int k = 0; k < 10; ++k) {
        ASSERT_TRUE(wheelStep(v, -1));
    }
    EXPECT_NEAR(v.ViewWidth / fit.ViewWidth, std::pow(0.96, 10), 1e-5);
    EXPECT_NEAR(v.ChordStep, 3 * std::pow(0.96, 10), 1e-5);
    EXPECT_EQ(v.ViewCentreX, fit.ViewCentreX);
    EXPECT_NEAR(v.ViewLeft, v.ViewCentreX - v.ViewWidth / 2, 1e-4);
}

TEST(PlotView, CommandsPanZoomAndFit) {
    PlotTables t;
    scanPlotTables(t, {{}, "L\nG00X0Y0\nG01X10Y10"});
    PlotView v;
    ASSERT_TRUE(viewCommand(v, t, 1));
    EXPECT_EQ(v.ViewWidth, 20);
    ASSERT_TRUE(viewCommand(v, t, 4));  // up by 0.3 of the height
    EXPECT_EQ(v.ViewCentreY, 11);
    EXPECT_EQ(v.ViewTop, 21);
    ASSERT_TRUE(viewCommand(v, t, 6));  // left
    EXPECT_EQ(v.ViewCentreX, -1);
    EXPECT_EQ(v.ViewRight, 9);
    ASSERT_TRUE(viewCommand(v, t, 3));
    EXPECT_EQ(v.ViewWidth, 40);
    EXPECT_EQ(v.ChordStep, 6);
    EXPECT_EQ(v.ViewLeft, -21);
    EXPECT_FALSE(viewCommand(v, t, 8));
}

TEST(PlotView, ZoomModeClickCentresOnThePointBeforeZooming) {
    PlotView v = fitted("", "L\nG00X0Y0\nG01X100Y100");
    centreOn(v, 104, -4);  // near the bottom-right corner
    ASSERT_TRUE(zoomIn(v));
    EXPECT_EQ(v.ViewCentreX, 104);
    EXPECT_EQ(v.ViewCentreY, -4);
    EXPECT_EQ(v.ViewLeft, 104 - 27.5f);
    EXPECT_EQ(v.ViewTop, -4 + 27.5f);
}

TEST(PlotView, SnapTakesTheNearestRowAndTheFirstOfEqualDistance) {
    PickList picks;
    picks.append({1, 5, 5, 0, 0});
    picks.append({1, 1, 0, 0, 0});        // distance 1
    picks.append({4, -1, 0, 0, 0});       // distance 1 too, later
    picks.append({1, 2.5f, 2.5f, 0, 0});  // inside the box, 3.54 away
    EXPECT_EQ(snapToPick(picks, 0, 0, 3), 2);
    EXPECT_EQ(snapToPick(picks, 0.1, 0, 3), 2);
    EXPECT_EQ(snapToPick(picks, -0.1, 0, 3), 3);
    EXPECT_EQ(snapToPick(picks, 2.5, 2.5, 0.5f), 4);
    EXPECT_FALSE(snapToPick(picks, 20, 20, 3));
    EXPECT_FALSE(snapToPick(picks, 8, 5, 3));  // exactly ChordStep away: not strictly less
    picks.clear();
    EXPECT_FALSE(snapToPick(picks, 1, 0, 3));
}

TEST(PlotView, SegmentMeasureAndCursorLabel) {
    const SegmentMeasure m = measureSegment(1, 1, 4, 5);
    EXPECT_EQ(m.length, 5);
    EXPECT_EQ(m.midX, 2.5);
    EXPECT_EQ(m.midY, 3);
    EXPECT_NEAR(m.angleDeg, 53.1301, 1e-4);
    EXPECT_EQ(measureSegment(1, 1, 1, -5).angleDeg, 90);
    EXPECT_NEAR(measureSegment(0, 0, -1, 1).angleDeg, -45, 1e-6);
    EXPECT_EQ(cursorLabel(12.5, -3), "X12.5 Y-3.0");
    EXPECT_EQ(cursorLabel(0.123456, 1234.5), "X0.1235 Y1234.5");
}

TEST(PlotColours, DefaultsAndTheLayerColourFile) {
    ColourTable table;
    EXPECT_EQ(table.background(), kBlack);
    EXPECT_EQ(table.layer(0), kDefaultLayerColour);
    EXPECT_EQ(table.layer(255), kDefaultLayerColour);
    for (int k = 0; k < 257; ++k) {
        table.entries[static_cast<std::size_t>(k)] = k * 1000 + 1;
    }
    const std::string file = layerColourFile(table);
    EXPECT_EQ(file.substr(0, 12), "1\r\n1001\r\n200");
    EXPECT_EQ(file.substr(file.size() - 8), "256001\r\n");
    ColourTable back;
    readLayerColours(file, back);
    EXPECT_EQ(back.entries[0], 1);
    EXPECT_EQ(back.entries[255], 255001);
    EXPECT_EQ(back.entries[256], 256001);  // the last layer's colour comes back too
    ColourTable partial;
    readLayerColours("255\r\n\r\n 65280", partial);
    EXPECT_EQ(partial.background(), 255u);
    EXPECT_EQ(partial.layer(0), 0u);  // an empty line reads as 0
    EXPECT_EQ(partial.layer(1), 65280u);
    EXPECT_EQ(partial.layer(2), kDefaultLayerColour);
}

TEST(PlotColours, StoredValuesOutsideTheColourRangeDrawBlack) {
    EXPECT_EQ(ColourTable::toColour(255.4), 255u);
    EXPECT_EQ(ColourTable::toColour(16777215), 16777215u);
    EXPECT_EQ(ColourTable::toColour(16777216), kBlack);
    EXPECT_EQ(ColourTable::toColour(-1), kBlack);
    EXPECT_EQ(ColourTable::toColour(std::nan("")), kBlack);
}

}  // namespace
}  // namespace talmir::graphic
