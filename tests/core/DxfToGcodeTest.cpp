#include "core/import/DxfBulge.h"
#include "core/import/DxfToGcode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using talmir::importers::dxfToGcode;

namespace {

// Pairs written one a line with "\n"; `withEnds` gives the text in another
// line-end style.
std::string withEnds(const std::string& lf, std::string_view eol) {
    std::string out;
    for (char c : lf) {
        if (c == '\n') {
            out += eol;
        } else {
            out += c;
        }
    }
    return out;
}

std::string entities(const std::string& body) {
    return "  0\nSECTION\n  2\nENTITIES\n" + body + "  0\nENDSEC\n  0\nEOF\n";
}

std::string gcode(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

struct ConversionCase {
    const char* name;
    std::string dxf;
    std::string expected;
};

// Every case must give the same program from CR LF, LF and CR-only text.
class DxfConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(DxfConversion, WritesTheProgram) {
    const ConversionCase& c = GetParam();
    for (std::string_view eol : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(eol == "\r\n" ? "CR LF" : eol == "\n" ? "LF" : "CR");
        const auto result = dxfToGcode(withEnds(c.dxf, eol));
        ASSERT_TRUE(result.ok()) << result.failure().description;
        EXPECT_EQ(result.value(), c.expected);
    }
}

const ConversionCase kConversions[] = {
    {"LineAndCircle",
     entities("  0\nLINE\n  8\n0\n 10\n0.0\n 20\n0.0\n 11\n10.0\n 21\n5.0\n"
              "  0\nCIRCLE\n 10\n5\n 20\n5\n 40\n2\n"),
     gcode({"0", "G00X0.0Y0.0", "G01X10.0Y5.0", "G00X7.0Y5.0", "G02X7.0Y5.0I-2.0J0.0"})},
    {"UcsOriginShiftsPointsNotRadiiOrOffsets",
     "  0\nSECTION\n  2\nHEADER\n  9\n$UCSORG\n 10\n3.0\n 20\n4.0\n 30\n0.0\n  0\nENDSEC\n" +
         entities("  0\nPOINT\n  8\nA\n 10\n3\n 20\n4\n"
                  "  0\nCIRCLE\n 10\n5\n 20\n5\n 40\n2\n"
                  "  0\nARC\n 10\n3\n 20\n4\n 40\n1\n 50\n0\n 51\n90\n"),
     gcode({"A", "G00X0.0Y0.0", "G01X0.0Y0.0", "G00X4.0Y1.0", "G02X4.0Y1.0I-2.0J0.0", "G00X1.0Y0.0",
            "G03X0.0Y1.0I-1.0J0.0"})},
    {"LayerCarriesOverAndIsWrittenOnChange",
     entities("  0\nPOINT\n  8\nL1\n 10\n1\n 20\n1\n  0\nPOINT\n 10\n2\n 20\n2\n"
              "  0\nPOINT\n  8\nL1\n 10\n3\n 20\n3\n  0\nPOINT\n  8\nL2\n 10\n4\n 20\n4\n"),
     gcode({"L1", "G00X1.0Y1.0", "G01X1.0Y1.0", "G00X2.0Y2.0", "G01X2.0Y2.0", "G00X3.0Y3.0",
            "G01X3.0Y3.0", "L2", "G00X4.0Y4.0", "G01X4.0Y4.0"})},
    {"NoLayerLineBeforeTheFirstLayer", entities("  0\nPOINT\n 10\n1\n 20\n1\n"),
     gcode({"G00X1.0Y1.0", "G01X1.0Y1.0"})},
    {"SpacesLeaveLayerNamesAndPaddedCodesMatch",
     entities("  0\nPOINT\n  8\nDRILL 6 \n 10\n  1.5\n 20\n-2\n"),
     gcode({"DRILL6", "G00X1.5Y-2.0", "G01X1.5Y-2.0"})},
    {"CodeWithALeadingZeroIsAnotherCode", entities("  0\nPOINT\n010\n7\n 10\n1\n 20\n1\n"),
     gcode({"G00X1.0Y1.0", "G01X1.0Y1.0"})},
    {"FourDecimalsRounded", entities("  0\nLINE\n 10\n2.34567\n 20\n-3\n 11\n12.5\n 21\n0.00004\n"),
     gcode({"G00X2.3457Y-3.0", "G01X12.5Y0.0"})},
    {"ArcIsCounterClockwiseAcrossZeroDegrees",
     entities("  0\nARC\n 10\n0\n 20\n0\n 40\n2\n 50\n270\n 51\n90\n"),
     // The degree factor 0.0174532925199433 is a little over pi/180: cos 270 and
     // cos 90 come out as tiny negatives, written as -0.0.
     gcode({"G00X0.0Y-2.0", "G03X0.0Y2.0I0.0J2.0"})},
    {"ClosedPolylineFlag1ReturnsToItsFirstVertex",
     entities("  0\nPOLYLINE\n  8\nP\n 70\n1\n"
              "  0\nVERTEX\n  8\nP\n 10\n0\n 20\n0\n  0\nVERTEX\n  8\nP\n 10\n10\n 20\n0\n"
              "  0\nVERTEX\n  8\nP\n 10\n10\n 20\n10\n  0\nSEQEND\n  8\nP\n"),
     gcode({"P", "G00X0.0Y0.0", "G01X10.0Y0.0", "G01X10.0Y10.0", "G01X0.0Y0.0"})},
    {"Polyline3dFlag32StaysOpen",
     entities("  0\nPOLYLINE\n 70\n32\n  0\nVERTEX\n 10\n1\n 20\n1\n"
              "  0\nVERTEX\n 10\n2\n 20\n1\n  0\nSEQEND\n"),
     gcode({"G00X1.0Y1.0", "G01X2.0Y1.0"})},
    {"PolylineFlag0StaysOpenAnd129Closes",
     entities("  0\nPOLYLINE\n 70\n0\n  0\nVERTEX\n 10\n1\n 20\n1\n  0\nVERTEX\n 10\n2\n 20\n1\n"
              "  0\nSEQEND\n  0\nPOLYLINE\n 70\n129\n  0\nVERTEX\n 10\n5\n 20\n5\n"
              "  0\nVERTEX\n 10\n6\n 20\n5\n  0\nSEQEND\n"),
     gcode({"G00X1.0Y1.0", "G01X2.0Y1.0", "G00X5.0Y5.0", "G01X6.0Y5.0", "G01X5.0Y5.0"})},
    {"ClosingArcFromTheLastVertexBulge",
     entities("  0\nPOLYLINE\n 70\n1\n  0\nVERTEX\n 10\n0\n 20\n0\n"
              "  0\nVERTEX\n 10\n10\n 20\n0\n 42\n1\n  0\nSEQEND\n"),
     gcode({"G00X0.0Y0.0", "G01X10.0Y0.0", "G03X0.0Y0.0I-5.0J0.0"})},
    {"OpenLwPolylineEndsAtItsLastVertex",
     entities("  0\nLWPOLYLINE\n  8\nW\n 90\n3\n 70\n0\n 10\n0\n 20\n0\n 10\n4\n 20\n0\n"
              " 10\n4\n 20\n3\n"),
     gcode({"W", "G00X0.0Y0.0", "G01X4.0Y0.0", "G01X4.0Y3.0"})},
    {"LwPolylineWithBitOneCloses",
     entities("  0\nLWPOLYLINE\n  8\nW\n 90\n3\n 70\n129\n 10\n0\n 20\n0\n 10\n4\n 20\n0\n"
              " 10\n4\n 20\n3\n"),
     gcode({"W", "G00X0.0Y0.0", "G01X4.0Y0.0", "G01X4.0Y3.0", "G01X0.0Y0.0"})},
    {"BulgeSignsHalfCircleAndZero",
     // +1: half circle counter-clockwise about the chord midpoint; -1: clockwise;
     // 0: a straight move.
     entities("  0\nLWPOLYLINE\n 70\n1\n 10\n0\n 20\n0\n 42\n1\n 10\n10\n 20\n0\n 42\n-1\n"
              " 10\n20\n 20\n0\n 42\n0\n 10\n20\n 20\n5\n"),
     gcode({"G00X0.0Y0.0", "G03X10.0Y0.0I5.0J0.0", "G02X20.0Y0.0I5.0J0.0", "G01X20.0Y5.0",
            "G01X0.0Y0.0"})},
    {"QuarterCircleBulges",
     // tan(22.5 deg): 90 degrees; the centre lies left of the chord for +, right for -.
     // The first arc turns about the origin, the second about (-10, 10).
     entities("  0\nLWPOLYLINE\n 70\n1\n 10\n10\n 20\n0\n 42\n0.41421356\n 10\n0\n 20\n10\n"
              " 42\n-0.41421356\n 10\n-10\n 20\n0\n"),
     gcode({"G00X10.0Y0.0", "G03X0.0Y10.0I-10.0J0.0", "G02X-10.0Y0.0I-10.0J0.0", "G01X10.0Y0.0"})},
    {"BlocksAndOtherEntitiesAreNotConverted",
     "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  2\nB1\n  0\nLINE\n 10\n9\n 20\n9\n 11\n8\n 21\n8\n"
     "  0\nENDBLK\n  0\nENDSEC\n" +
         entities("  0\nINSERT\n  2\nB1\n 10\n1\n 20\n1\n  0\nTEXT\n  1\nLINE\n"
                  "  0\nSEQEND\n  0\nPOINT\n 10\n1\n 20\n2\n"),
     gcode({"G00X1.0Y2.0", "G01X1.0Y2.0"})},
    {"EmptyValueLinesKeepThePairsInStep", entities("  0\n\n  0\nPOINT\n  8\n\n 10\n1\n 20\n1\n"),
     gcode({"G00X1.0Y1.0", "G01X1.0Y1.0"})},
    {"BlankLinesBeforeCodesAreSkipped", entities("\n\n  0\nPOINT\n\n 10\n1\n 20\n1\n"),
     gcode({"G00X1.0Y1.0", "G01X1.0Y1.0"})},
    {"NoEntitiesSectionIsAnEmptyProgram", "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n", ""},
};

INSTANTIATE_TEST_SUITE_P(Cases, DxfConversion, testing::ValuesIn(kConversions),
                         [](const auto& info) { return std::string(info.param.name); });

// Broken input ends in the error the window reports (no program at all) or in an
// empty program; never in a crash or a partial program.
struct BadInputCase {
    const char* name;
    std::string dxf;
    int errorNumber;  // 0: converts
    std::string expected;
};

class DxfBadInput : public testing::TestWithParam<BadInputCase> {};

TEST_P(DxfBadInput, EndsInTheErrorOrAProgram) {
    const BadInputCase& c = GetParam();
    const auto result = dxfToGcode(c.dxf);
    if (c.errorNumber != 0) {
        ASSERT_FALSE(result.ok()) << result.value();
        EXPECT_EQ(result.failure().number, c.errorNumber);
    } else {
        ASSERT_TRUE(result.ok()) << result.failure().description;
        EXPECT_EQ(result.value(), c.expected);
    }
}

const std::string kPoint = "  0\nPOINT\n 10\n1\n 20\n1\n";
const std::string kPointGcode = "G00X1.0Y1.0\r\nG01X1.0Y1.0\r\n";
const std::string kStart = "  0\nSECTION\n  2\nENTITIES\n";

const BadInputCase kBadInputs[] = {
    {"EmptyText", "", 0, ""},
    {"OnlyBlankLines", "\r\n\r\n  \r\n", 0, ""},
    {"EofWithoutItsLineEnd", kStart + kPoint + "  0\nENDSEC\n  0\nEOF", 0, kPointGcode},
    {"BlankLinesAfterEof", kStart + kPoint + "  0\nENDSEC\n  0\nEOF\n\n\n", 0, kPointGcode},
    {"BytesAfterEofWithoutEntities", "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n\x1a", 0,
     ""},
    {"BytesAfterEof", kStart + kPoint + "  0\nENDSEC\n  0\nEOF\n\x1a", 0, kPointGcode},
    {"NoEofPair", kStart + kPoint + "  0\nENDSEC\n", 62, ""},
    {"CutAfterAnEntityName", kStart + kPoint + "  0\nLINE\n", 62, ""},
    {"CutInsideAnEntity", kStart + kPoint + "  0\nLINE\n 10\n5\n 2", 62, ""},
    {"CutInsideAValue", kStart + kPoint + "  0\nLINE\n 10\n5", 62, ""},
    {"CutRightAfterEntities", kStart, 62, ""},
    {"ZeroCodeWithoutValueAtTheEnd", kStart + kPoint + "  0\n", 62, ""},
    {"OneLineWithoutLineEnd", "0 SECTION 2 ENTITIES", 62, ""},
    {"BeyondSinglePrecision", kStart + "  0\nPOINT\n 10\n1e39\n 20\n1\n  0\nEOF\n", 6, ""},
    {"BeyondDoublePrecision", kStart + "  0\nPOINT\n 10\n1\n 20\n-1e400\n  0\nEOF\n", 6, ""},
    {"UcsOriginBeyondSinglePrecision",
     "  0\nSECTION\n  2\nHEADER\n  9\n$UCSORG\n 10\n4e38\n 20\n0\n  0\nENDSEC\n  0\nEOF\n", 6, ""},
    {"CircleStartOverflows",
     kStart + "  0\nCIRCLE\n 10\n3e38\n 20\n0\n 40\n3e38\n  0\nENDSEC\n  0\nEOF\n", 6, ""},
    {"ShiftOverflows",
     "  0\nSECTION\n  2\nHEADER\n  9\n$UCSORG\n 10\n-3e38\n 20\n0\n  0\nENDSEC\n" + kStart +
         "  0\nPOINT\n 10\n3e38\n 20\n0\n  0\nENDSEC\n  0\nEOF\n",
     6, ""},
    {"ChordOverflows",
     kStart + "  0\nLWPOLYLINE\n 10\n-3e38\n 20\n0\n 42\n0.5\n 10\n3e38\n 20\n0\n  0\nEOF\n", 6,
     ""},
    {"UnparsableNumbersReadAsZero", kStart + "  0\nPOINT\n 10\nabc\n 20\n.5x\n  0\nEOF\n", 0,
     "G00X0.0Y0.5\r\nG01X0.0Y0.5\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, DxfBadInput, testing::ValuesIn(kBadInputs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DxfBadInput, HugeBulgeGivesFiniteNumbers) {
    const auto result = dxfToGcode(
        kStart + "  0\nLWPOLYLINE\n 10\n0\n 20\n0\n 42\n1e30\n 10\n1\n 20\n0\n  0\nEOF\n");
    ASSERT_TRUE(result.ok()) << result.failure().description;
    EXPECT_EQ(result.value().find("nf"), std::string::npos) << result.value();
    EXPECT_EQ(result.value().find("NaN"), std::string::npos) << result.value();
    EXPECT_NE(result.value().find("G03X1.0Y0.0I"), std::string::npos) << result.value();
}

TEST(DxfBadInput, TenMegabyteLayerName) {
    const std::string layer(10 << 20, 'L');
    const auto result =
        dxfToGcode(kStart + "  0\nPOINT\n  8\n" + layer + "\n 10\n1\n 20\n1\n" + "  0\nEOF\n");
    ASSERT_TRUE(result.ok()) << result.failure().description;
    EXPECT_EQ(result.value(), layer + "\r\n" + kPointGcode);
}

// Random bytes, and a real drawing with random bytes overwritten: the result is a
// program without "inf"/"NaN" or one of the two errors.
TEST(DxfBadInput, RandomBytesNeverCrash) {
    std::mt19937 random(20261208);
    const std::string base = entities(
        "  0\nLWPOLYLINE\n 10\n0\n 20\n0\n 42\n0.5\n 10\n10\n 20\n0\n 42\n-2\n 10\n10\n 20\n10\n"
        "  0\nARC\n 10\n1\n 20\n1\n 40\n3\n 50\n10\n 51\n300\n"
        "  0\nPOLYLINE\n 70\n1\n  0\nVERTEX\n 10\n1\n 20\n2\n 42\n3\n  0\nVERTEX\n 10\n4\n 20\n1\n"
        "  0\nSEQEND\n");
    for (int round = 0; round < 2000; ++round) {
        std::string dxf = base;
        if (round % 2 == 0) {
            dxf.resize(random() % 300);
            for (char& c : dxf) {
                c = static_cast<char>(random() % 256);
            }
        } else {
            for (int k = 0; k < 4; ++k) {
                dxf[random() % dxf.size()] = "0123456789.-e \r\n\0\xff"[random() % 18];
            }
        }
        const auto result = dxfToGcode(dxf);
        if (result.ok()) {
            EXPECT_EQ(result.value().find("nf"), std::string::npos);
            EXPECT_EQ(result.value().find("NaN"), std::string::npos);
        } else {
            EXPECT_TRUE(result.failure().number == 62 || result.failure().number == 6);
        }
    }
}

// The centre built from a bulge, for chords in every direction: equidistant from
// both ends at the radius the bulge gives, on the side that makes the arc turn the
// right way.
TEST(DxfBulgeCentre, RightCentreForEveryChordDirection) {
    using talmir::importers::bulgeAngleDeg;
    using talmir::importers::bulgeCentre;
    for (double bulge : {0.05, 0.41421356, 0.8, 1.0, 1.5, 4.0, -0.2, -1.0, -3.0}) {
        for (int directionDeg = 0; directionDeg < 360; directionDeg += 15) {
            SCOPED_TRACE("bulge " + std::to_string(bulge) + " chord at " +
                         std::to_string(directionDeg));
            const float px = 3.0f, py = -2.0f;
            const double t = directionDeg * M_PI / 180;
            const float x = px + static_cast<float>(8 * std::cos(t));
            const float y = py + static_cast<float>(8 * std::sin(t));
            const float angle = bulgeAngleDeg(static_cast<float>(bulge));
            const auto c = bulgeCentre(px, py, x, y, bulge < 0, angle);
            const double cx = px + c.i, cy = py + c.j;
            const double included = 4 * std::atan(std::fabs(bulge));
            const double radius = 4 / std::sin(included / 2);
            EXPECT_NEAR(std::hypot(c.i, c.j), radius, 1e-4 * radius);
            EXPECT_NEAR(std::hypot(x - cx, y - cy), radius, 1e-4 * radius);
            // Cross product of chord and start-to-centre: positive when the centre
            // lies left of the chord, which is where a counter-clockwise arc of
            // less than 180 degrees has it.
            const double side = (x - px) * c.j - (y - py) * c.i;
            const bool left = side > 0;
            if (std::fabs(bulge) != 1.0) {
                EXPECT_EQ(left, (bulge > 0) == (std::fabs(bulge) < 1));
            }
        }
    }
}

}  // namespace
