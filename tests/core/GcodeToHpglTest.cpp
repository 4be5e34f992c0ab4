#include "core/export/GcodeToHpgl.h"

#include <gtest/gtest.h>

#include <string>

namespace talmir::exporters {
namespace {

// The commands between "CT,1;SP1;" and "PU;PA0,0;SP0;".
std::string body(const std::string& gcode) {
    const auto hpgl = gcodeToHpgl(gcode);
    if (!hpgl) {
        return std::string(isQuietStop(hpgl.failure()) ? "quiet " : "failure ") +
               std::to_string(hpgl.failure().number) + " " + hpgl.failure().description;
    }
    const std::string& text = hpgl.value();
    const std::string head = "CT,1;SP1;";
    const std::string tail = "PU;PA0,0;SP0;\r\n";
    if (text.compare(0, head.size(), head) != 0 ||
        text.compare(text.size() - tail.size(), tail.size(), tail) != 0) {
        return "(frame missing) " + text;
    }
    return text.substr(head.size(), text.size() - head.size() - tail.size());
}

TEST(GcodeToHpgl, CommandsOfOneOrTwoRecords) {
    struct Case {
        const char* name;
        std::string gcode;
        std::string hpgl;
    };
    const std::string stopped = "quiet -1 D01～D03 のデータがあるため、HPGLへ変換しませんでした";
    const Case cases[] = {
        {"feed pen down", "G01X10.Y5.", "PD;PA400,200;"},
        {"clockwise half circle", "G02X10.Y0.I5.J0.", "PD;AA200,0,-180.0;PU;PA400,0;"},
        {"counter-clockwise half circle", "G03X10.Y0.I5.J0.", "PD;AA200,0,180.0;PU;PA400,0;"},
        {"full circle", "G03X0.Y0.I5.J0.", "PU;PA200,0;CI200,5;PU;PA0,0;"},
        {"clockwise full circle", "G02X0.Y0.I0.J-5.", "PU;PA0,-200;CI200,5;PU;PA0,0;"},
        {"sweep with five decimals", "G00X10.Y0.\r\nG03X8.Y6.I-10.",
         "PU;PA400,0;PD;AA0,0,36.8699;PU;PA320,240;"},
        {"clockwise sweep across 0 degrees", "G00X8.Y-6.\r\nG02X8.Y6.I-8.J6.",
         "PU;PA320,-240;PD;AA0,0,-286.2602;PU;PA320,240;"},
        {"drilling moves pen up", "G81X1.Y1.", "PU;PA40,40;"},
        {"any other G moves pen up, missing words are 0", "G00X1.\r\nG90", "PU;PA40,0;PU;PA0,0;"},
        {"plotter units are rounded", "G01X0.0124Y-0.0126", "PD;PA0,-1;"},
        {"drawing codes of 4 and up change nothing", "D10\r\nG01X1.\r\nD11", "PD;PA40,0;"},
        {"D02 stops quietly", "G01X1.\r\nD02", stopped},
        {"D01 in a motion item stops quietly", "G01X1.D01", stopped},
        {"D0 stops too", "G01X1.\r\nD0", stopped},
        {"a D of a comment is no drawing code", "(DRILL 3/4)\r\n(Date: 1.7.2008)\r\nG01X1.",
         "PD;PA40,0;"},
        {"no G at all", "(T1)\r\nM30", "failure 0 変換可能なコマンドが、見つかりませんでした"},
        {"zero radius arc", "G02X1.Y0I0J0", "PD;AA0,0,-90.0;PU;PA40,0;"},
        {"overflow", "G01X1E39", "failure 6 オーバーフローしました。"},
        {"overflow in plotter units", "G01X1E37", "failure 6 オーバーフローしました。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(body(c.gcode), c.hpgl);
    }
}

TEST(GcodeToHpgl, WholeFileIsOneLine) {
    const auto hpgl = gcodeToHpgl("G00X0Y0\r\nG01X1.Y1.");
    ASSERT_TRUE(hpgl.ok());
    EXPECT_EQ(hpgl.value(), "CT,1;SP1;PU;PA0,0;PD;PA40,40;PU;PA0,0;SP0;\r\n");
}

}  // namespace
}  // namespace talmir::exporters
