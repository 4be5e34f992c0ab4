#include "core/export/GcodeToGerber.h"

#include <gtest/gtest.h>

#include <string>

namespace talmir::exporters {
namespace {

std::string convert(const std::string& gcode, GerberOptions options = {}) {
    const auto gerber = gcodeToGerber(gcode, options);
    if (!gerber) {
        return "failure " + std::to_string(gerber.failure().number) + " " +
               gerber.failure().description;
    }
    return gerber.value();
}

TEST(GcodeToGerber, BlocksOfTheProgramForm) {
    struct Case {
        const char* name;
        std::string gcode;
        GerberOptions options;
        std::string gerber;
    };
    using End = GerberBlockEnd;
    const Case cases[] = {
        {"thousandths, rounded whole",
         "G00X12.3456Y-1.",
         {2, End::Star, false},
         "G01X12346Y-1000D02*M30*\r\n"},
        {"millimetres with four decimals",
         "G00X12.34567Y0",
         {0, End::Star, false},
         "G01X12.3457Y0.0D02*M30*\r\n"},
        {"hundredths", "G00X1.234", {1, End::Star, false}, "G01X123D02*M30*\r\n"},
        {"ten-thousandths", "G00X1.234", {3, End::Star, false}, "G01X12340D02*M30*\r\n"},
        {"block end CR",
         "G00X1.\r\nG01Y1.",
         {2, End::Cr, false},
         "G01X1000D02\rG01Y1000D01\rM30\r\r\n"},
        {"block end LF", "G00X1.", {2, End::Lf, false}, "G01X1000D02\nM30\n\r\n"},
        {"block end CR LF", "G00X1.", {2, End::CrLf, false}, "G01X1000D02\r\nM30\r\n\r\n"},
        {"arcs keep I and J, words in X Y I J order",
         "G00X0Y0\r\nG02J-1.I2.Y3.X4.",
         {2, End::Star, false},
         "G01X0Y0D02*G02X4000Y3000I2000J-1000D01*M30*\r\n"},
        {"counter-clockwise arc and drilling position",
         "G00X0\r\nG03X1.I1.\r\nG81X2.Y2.",
         {2, End::Star, false},
         "G01X0D02*G03X1000I1000D01*X2000Y2000D03*M30*\r\n"},
        {"section lines select apertures from D10",
         "(T1)\r\nG00X0\r\n(T2)\r\n(T1)\r\nD12\r\nD5",
         {2, End::Star, false},
         "D10*G01X0D02*D11*D10*D12*D13*M30*\r\n"},
        {"rapid checked before feed", "G00G01X1.", {2, End::Star, false}, "G01X1000D02*M30*\r\n"},
        {"no rapid, nothing to convert",
         "(T1)\r\nG01X1.\r\nG02X2.I1.",
         {2, End::Star, false},
         "failure 0 変換可能なコマンドが、見つかりませんでした"},
        {"not finite", "G00X1E400", {2, End::Star, false}, "failure 6 オーバーフローしました。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(convert(c.gcode, c.options), c.gerber);
    }
}

TEST(GcodeToGerber, Rs274xFormIsCompleteForAnyUnit) {
    const std::string gcode = "%\r\n(T1)\r\nG00X0Y0\r\nG01X1.5\r\nD20\r\nG81X2.Y2.\r\n(T1)\r\nM30";
    EXPECT_EQ(convert(gcode, {0, GerberBlockEnd::Star, true}),
              "%FSLAX64Y64*%\r\n%MOMM*%\r\n%ADD10C,0.1*%\r\n%ADD11C,0.1*%\r\n%ADD13C,0.1*%\r\n"
              "%ADD20C,0.1*%\r\nG75*\r\nD10*\r\nD11*\r\nG01X0Y0D02*\r\nG01X15000D01*\r\nD20*\r\n"
              "X20000Y20000D03*\r\nD11*\r\nD13*\r\nM02*\r\n");
    EXPECT_EQ(convert("G00X1.\r\nM30", {1, GerberBlockEnd::Lf, true}),
              "%FSLAX62Y62*%\n%MOMM*%\n%ADD10C,0.1*%\nG75*\nD10*\nG01X100D02*\nD10*\nM02*\n");
    // A motion before any section line gets the first aperture selected.
    EXPECT_EQ(convert("G00X1.", {3, GerberBlockEnd::Cr, true}),
              "%FSLAX64Y64*%\r%MOMM*%\r%ADD10C,0.1*%\rG75*\rD10*\rG01X10000D02*\rM02*\r");
}

TEST(GcodeToGerber, MoreThan256SectionLinesFail) {
    std::string gcode = "G00X0\r\n";
    for (int i = 1; i <= 256; ++i) {
        gcode += "(T" + std::to_string(i) + ")\r\n";
    }
    const std::string full = convert(gcode);
    EXPECT_EQ(full.substr(full.size() - 11), "D265*M30*\r\n");
    EXPECT_EQ(convert(gcode + "(T257)").substr(0, 9), "failure 9");
}

}  // namespace
}  // namespace talmir::exporters
