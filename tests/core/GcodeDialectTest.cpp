// G-code of other programs read as this program writes its own.

#include "core/text/GcodeDialect.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace talmir::text {
namespace {

struct DialectCase {
    const char* name;
    std::string gcode;
    std::optional<std::string> want;  // nullopt: read as it is
};

TEST(OwnGcode, TableOfCases) {
    const DialectCase cases[] = {
        {"own program is left alone", "(T1)\r\nG00X0.0Y0.0\r\nG01X5.0Y0.0\r\nM30", std::nullopt},
        {"a motion line with blanks is another's", "G01 X5 Y2\r\nG01 F600. (feed)",
         "G01X5Y2\r\nG01X5Y2F600."},
        {"lower case and one-digit words", "g0 x1 y5\r\ng1 y4\r\ng3 x2 y3 i1",
         "G00X1Y5\r\nG01X1Y4\r\nG03X2Y3I1"},
        {"modal coordinates continue the motion", "G1 X1.\r\nY10.\r\nX5.Y2.",
         "G01X1.\r\nG01X1.Y10.\r\nG01X5.Y2."},
        {"coordinates before any motion are no motion", "X5.Y2.\r\nG00X0.0Y0.0", std::nullopt},
        {"plane word before the motion word", "G17 G2 (270 360) I0 J7 X9 Y6", "G02X9Y6I0J7G17"},
        {"line numbers are dropped", "N0100 G00\r\nN0110 X164.08 Y167.1",
         "G00\r\nG00X164.08Y167.1"},
        {"blanks between a letter and its number", "G0 X50 Y50\r\nG3 I -20",
         "G00X50Y50\r\nG03X50Y50I-20"},
        {"comments are no words", "(G01 X5)\r\ng0 x1 (to x9) y2 ; y7", "(G01 X5)\r\nG00X1Y2"},
        {"tool change and other words stay", "t4 m6\r\nG90\r\nG04 P1\r\nS3000", std::nullopt},
        {"G80 ends the cycle", "G81 R2 Z-1 X1 Y1\r\nX2 Y2\r\nG80\r\nX3 Y3",
         "G81X1Y1R2Z-1\r\nG81X2Y2\r\nG80\r\nX3 Y3"},
        {"a line that is no words stays", "#100=10.0\r\ng1 x[#100]", std::nullopt},
        {"lines ending in CR or LF alone", "g1 x1\ry2\nx3", "G01X1\rG01X1Y2\nG01X3Y2"},
        {"arcs outside the XY plane are their straight projection",
         "G18 G2 X1 Z1 I1 K0\r\nG02X2Z2I1K0\r\nG17 G3 X0 Y0 I-1 J0",
         "G01X1Z1G18\r\nG01X2Z2\r\nG03X0Y0I-1J0G17"},
        {"a plane word on a line that is no motion stays in force",
         "G18 G4 P1\r\nG17 G3 I-8 J0 X-9 Y3", "G18 G4 P1\r\nG03X-9Y3I-8J0G17"},
        {"comma items are fields", "(A),g1 x1,y2", "(A),G01X1,G01X1Y2"},
        {"a quoted line stays", "\"g1 x1\"", std::nullopt},
        {"a section line of letters only stays", "G01X1.0Y1.0\r\nLAYER\r\nF1", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ownGcode(c.gcode), c.want);
        // The rewritten text, read again, is itself: the plot of the rewrite is
        // the plot of the program.
        if (c.want) {
            EXPECT_EQ(ownGcode(*c.want).value_or(*c.want), *c.want);
        }
    }
}

// A plunge stays a move on the spot for the plot; the exports, which draw in XY,
// do not see it (a point or a dot where the tool only went down).
TEST(OwnGcode, MovesOnlyInZ) {
    const std::string gcode = "G0 X1 Y2\r\nG1 Z-1 F100\r\nG1 Z-2,G1 X3\r\nG01Z5\r\nG2 I1";
    EXPECT_EQ(ownGcode(gcode),
              "G00X1Y2\r\nG01X1Y2Z-1F100\r\nG01X1Y2Z-2,G01X3Y2\r\nG01Z5\r\n"
              "G02X3Y2I1");
    EXPECT_EQ(ownGcode(gcode, StillMoves::LeaveOut), "G00X1Y2\r\nG01X3Y2\r\nG01Z5\r\nG02X3Y2I1");
}

}  // namespace
}  // namespace talmir::text
