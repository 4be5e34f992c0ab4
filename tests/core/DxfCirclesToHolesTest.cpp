#include "core/import/DxfCirclesToHoles.h"

#include <gtest/gtest.h>

#include <string>

namespace talmir::importers {
namespace {

// The circle list the window keeps beside the hole data: every circle in drawing
// order, layer names as they stand (blanks kept), what was read before a failure.
TEST(DxfCirclesToHoles, CircleListInDrawingOrder) {
    const std::string dxf =
        "0\nSECTION\n2\nENTITIES\n"
        "0\nCIRCLE\n8\nDRILL 3\n10\n10\n20\n10.5\n40\n1.5\n"
        "0\nCIRCLE\n8\nDRILL1\n10\n5\n20\n-5\n40\n0.25\n"
        "0\nENDSEC\n0\nEOF\n";
    std::string circles;
    DxfCircleOptions options;
    options.circles = &circles;
    const auto holes = dxfCirclesToHoles(dxf, options);
    ASSERT_TRUE(holes.ok());
    EXPECT_EQ(holes.value(), "T01C3.0\r\nT02C0.5\r\nT01\r\nX10.0Y10.5\r\nT02\r\nX5.0Y-5.0\r\n");
    EXPECT_EQ(circles, "10.0,10.5,3.0,DRILL 3\r\n5.0,-5.0,0.5,DRILL1\r\n");

    circles.clear();
    const auto cut = dxfCirclesToHoles(dxf.substr(0, dxf.find("0\nENDSEC")), options);
    ASSERT_FALSE(cut.ok());
    EXPECT_EQ(cut.failure().number, 62);
    // The second circle may go on past the cut: only the first is complete.
    EXPECT_EQ(circles, "10.0,10.5,3.0,DRILL 3\r\n");
}

}  // namespace
}  // namespace talmir::importers
