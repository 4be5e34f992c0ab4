#include "core/graphic/PictureGcode.h"
#include "core/graphic/PlotScanner.h"

#include <gtest/gtest.h>

#include <string>

namespace talmir::graphic {
namespace {

std::string written(std::string_view gcode, float width) {
    PlotTables t;
    scanPlotTables(t, {{}, gcode});
    for (LayerSlot& slot : t.layers) {
        slot.width = slot.name.empty() ? 0 : width;
    }
    return PictureGcode(t);
}

struct PictureCase {
    const char* name;
    const char* gcode;
    float width;
    const char* want;
};

class PlotPictureGcodeTest : public testing::TestWithParam<PictureCase> {};

TEST_P(PlotPictureGcodeTest, WritesTheModelBack) {
    // Points on arcs carry rounding noise of the sine and cosine; it never shows
    // as "-0.0".
    EXPECT_EQ(written(GetParam().gcode, GetParam().width), GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(
    Records, PlotPictureGcodeTest,
    testing::Values(
        PictureCase{"ThinRecordsWithTheLayerNameFirst",
                    "L\nG00X0Y0\nG01X10.12345Y0\nG02X20Y0I5J0\nG03X0Y0I-10J0\nG81X1.5Y-2\nG90G01X1",
                    0,
                    "L\r\nG00X0.0Y0.0\r\nG00X0.0Y0.0\r\nG01X10.1235Y0.0\r\nG02X20.0Y0.0I5.0J0.0\r\n"
                    "G03X0.0Y0.0I-10.0J0.0\r\nG81X1.5Y-2.0\r\nG01X1.0Y-2.0\r\n"},
        PictureCase{"LayerNameOnEachChange", "A\nG01X1Y1\nB\nG01X2Y2\nA\nG01X3Y3", 0,
                    "A\r\nG00X0.0Y0.0\r\nG01X1.0Y1.0\r\nB\r\nG00X1.0Y1.0\r\nG01X2.0Y2."
                    "0\r\nA\r\nG00X2.0Y2.0\r\n"
                    "G01X3.0Y3.0\r\n"},
        PictureCase{"WideTrackAfterARapid", "L\nG00X0Y0\nG01X10Y0\nG81X5Y5", 2,
                    "L\r\n"
                    "G00X1.0Y0.0\r\nG02X1.0Y0.0I-1.0J0\r\n"
                    "G00X11.0Y0.0\r\nG02X11.0Y0.0I-1.0J0\r\n"
                    "G00X0.0Y-1.0\r\nG01X10.0Y-1.0\r\n"
                    "G00X0.0Y1.0\r\nG01X10.0Y1.0\r\n"
                    "G00X6.0Y5.0\r\nG02X6.0Y5.0I-1.0J0\r\n"},
        PictureCase{"VerticalTrackShiftsAlongX", "L\nG01X0Y10", 1,
                    "L\r\n"
                    "G00X0.5Y0.0\r\nG02X0.5Y0.0I-0.5J0\r\n"
                    "G00X0.5Y10.0\r\nG02X0.5Y10.0I-0.5J0\r\n"
                    "G00X0.5Y0.0\r\nG01X0.5Y10.0\r\n"
                    "G00X-0.5Y0.0\r\nG01X-0.5Y10.0\r\n"},
        // A G2 of radius 10 from (10, 0) about the origin to (0, -10), next a G0:
        // circles at both ends, then the arcs at radii 11 and 9, counter-clockwise
        // from the end angle to the start angle.
        PictureCase{"WideArcBeforeARapid", "L\nG00X10Y0\nG02X0Y-10I-10J0\nG00X0Y0", 2,
                    "L\r\n"
                    "G00X11.0Y0.0\r\nG02X11.0Y0.0I-1.0J0\r\n"
                    "G00X1.0Y-10.0\r\nG02X1.0Y-10.0I-1.0J0\r\n"
                    "G00X0.0Y-11.0\r\nG03X11.0Y0.0I0.0J11.0\r\n"
                    "G00X0.0Y-9.0\r\nG03X9.0Y0.0I0.0J9.0\r\n"}),
    [](const testing::TestParamInfo<PictureCase>& info) { return info.param.name; });

}  // namespace
}  // namespace talmir::graphic
