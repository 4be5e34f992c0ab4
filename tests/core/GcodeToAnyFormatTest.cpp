// Bad input given to every export: a clean result or the program's own error.

#include "core/export/GcodeToDxf.h"
#include "core/export/GcodeToGerber.h"
#include "core/export/GcodeToHpgl.h"
#include "core/export/GcodeToIges.h"

#include <gtest/gtest.h>

#include <string>

namespace talmir::exporters {
namespace {

// The error number of each export, or -100 when it succeeded.
struct Outcomes {
    int dxf, iges, gerber, hpgl;
};

Outcomes convertAll(const std::string& gcode) {
    auto number = [](const auto& result) { return result.ok() ? -100 : result.failure().number; };
    GerberOptions rs274x;
    rs274x.rs274x = true;
    const int gerber = number(gcodeToGerber(gcode, {}));
    EXPECT_EQ(number(gcodeToGerber(gcode, rs274x)), gerber);
    return {number(gcodeToDxf(gcode, {})), number(gcodeToIges(gcode, {"A", "20240102", "030405"})),
            gerber, number(gcodeToHpgl(gcode))};
}

TEST(GcodeToAnyFormat, BadInputEndsInAResultOrTheProgramsError) {
    const std::string tenMegabytes(10'000'000, '9');
    struct Case {
        const char* name;
        std::string gcode;
        Outcomes want;
    };
    const Case cases[] = {
        {"1 MB number", "G00X" + tenMegabytes.substr(0, 1'000'000) + "\r\nG01X1.", {6, 6, 6, 6}},
        {"10 MB comment", "(" + tenMegabytes + ")\r\nG00X1.\r\nG01X2.", {-100, -100, -100, -100}},
        {"a million empty items", std::string(1'000'000, ',') + "G00X1.", {-100, -100, -100, -100}},
        {"numbers beyond single precision", "G00X0\r\nG02X1E39Y1.I1.J1.", {6, 6, 6, 6}},
        {"squares beyond single precision", "G00X0\r\nG02X1.Y1.I3E38J3E38", {6, -100, -100, 6}},
        {"arc with I = J = 0", "G00X1.Y1.\r\nG02X2.Y1.I0J0\r\nG03X1.Y1.", {-100, -100, -100, -100}},
        {"binary bytes", std::string("G00X\x01\xff\x80Y\0G01X2.", 16), {-100, -100, -100, -100}},
        {"empty text", "", {0, -100, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcomes got = convertAll(c.gcode);
        EXPECT_EQ(got.dxf, c.want.dxf);
        EXPECT_EQ(got.iges, c.want.iges);
        EXPECT_EQ(got.gerber, c.want.gerber);
        EXPECT_EQ(got.hpgl, c.want.hpgl);
    }
}

}  // namespace
}  // namespace talmir::exporters
