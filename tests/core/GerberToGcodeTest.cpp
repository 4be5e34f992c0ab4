#include "core/export/GcodeToGerber.h"
#include "core/import/GerberToGcode.h"
#include "core/text/NumericValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using talmir::importers::GerberImportOptions;
using talmir::importers::gerberToGcode;

namespace {

std::string program(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

GerberImportOptions optionsOf(int unit, bool incremental = false) {
    GerberImportOptions o;
    o.unit = unit;
    o.incremental = incremental;
    return o;
}

struct ConversionCase {
    const char* name;
    std::string gerber;
    std::string expected;
    int unit = 2;
    bool incremental = false;
};

void PrintTo(const ConversionCase& c, std::ostream* os) {
    *os << c.name;
}

class GerberConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(GerberConversion, WritesTheProgram) {
    const ConversionCase& c = GetParam();
    const auto result = gerberToGcode(c.gerber, optionsOf(c.unit, c.incremental));
    ASSERT_TRUE(result.ok()) << result.failure().description;
    EXPECT_EQ(result.value(), c.expected);
}

const ConversionCase kConversions[] = {
    {"MoveDrawFlash", "G54D10*X1000Y1000D02*X5000Y1000D01*X3000Y3000D03*",
     program({"D10", "G00X0Y0", "G00X0Y0", "G00X1.0Y1.0", "G01X5.0Y1.0", "G81X3.0Y3.0"})},
    // The first of "*", "$", LF and CR ends the blocks; the others are dropped.
    {"StarsWithLineBreaks", "D10*\r\nX1000Y1000D02*\r\nX2000Y1000D01*\r\n",
     program({"D10", "G00X0Y0", "G00X1.0Y1.0", "G01X2.0Y1.0"})},
    {"LineFeedsAreBlocks", "D10\nX1000Y1000D02\nX2000Y1000D01*\n",
     program({"D10", "G00X0Y0", "G00X1.0Y1.0", "G01X2.0Y1.0"})},
    {"DollarBlocks", "D10$X10,00Y1000D02$\r\nX2000Y1000D01$",
     program({"D10", "G00X0Y0", "G00X1.0Y1.0", "G01X2.0Y1.0"})},
    {"CarriageReturnBlocks", "D10\rX1000Y1000D02\r\nX2000D01",
     program({"D10", "G00X0Y0", "G00X1.0Y1.0", "G01X2.0Y1.0"})},
    {"ParameterBlocksAcrossLines",
     "%FSLAX24Y24*%\r\n%AMOC8*\r\n5,1,8,0,0,1.08X$1,22.5*\r\n%\r\n%ADD10C,0.1*%D10*X1D03*",
     program({"D10", "G00X0Y0", "G81X0.001Y0"})},
    {"UnclosedParameterBlockDropsTheRest", "D10*X1000D03*%ADD11C*X5000D03*",
     program({"D10", "G00X0Y0", "G81X1.0Y0"})},
    {"FirstDrawGetsAperture", "X1000Y1000D02*X2000D01*",
     program({"D10", "G00X1.0Y1.0", "G01X2.0Y1.0"})},
    {"FlashWithoutApertureGetsItAfter", "X1000Y2000D03*X3000D03*",
     program({"G81X1.0Y2.0", "D10", "G81X3.0Y2.0"})},
    {"SameApertureAgainWritesNothing", "D11*X1000D02*D11*X2000D01*",
     program({"D11", "G00X0Y0", "G00X1.0Y0", "G01X2.0Y0"})},
    {"ApertureChangeMovesToTheCurrentPoint", "D10*X1000Y500D02*X2000D01*D12*X0D01*",
     program(
         {"D10", "G00X0Y0", "G00X1.0Y0.5", "G01X2.0Y0.5", "D12", "G00X2.0Y0.5", "G01X0.0Y0.5"})},
    {"OnlyYKeepsX", "D10*X1500Y1000D02*Y2500D01*",
     program({"D10", "G00X0Y0", "G00X1.5Y1.0", "G01X1.5Y2.5"})},
    {"ModalDrawWithoutDcode", "D10*X0Y0D02*X1000D01*Y1000*",
     program({"D10", "G00X0Y0", "G00X0.0Y0.0", "G01X1.0Y0.0", "G01X1.0Y1.0"})},
    {"ArcKeepsIandJ", "D10*X1000Y0D02*G03X0Y1000I-1000J0D01*",
     program({"D10", "G00X0Y0", "G00X1.0Y0.0", "G03X0.0Y1.0I-1.0J0.0"})},
    {"ArcWithoutJWritesJ0", "D10*X1000Y0D02*G02X1000Y0I-1000D01*",
     program({"D10", "G00X0Y0", "G00X1.0Y0.0", "G02X1.0Y0.0I-1.0J0"})},
    // After an arc, a block without centre falls back to a line: a move after
    // D02, a draw while D01 is in force.
    {"CircularFallsBackToMove", "D10*G02X1000Y0I500J0D01*X0Y500D02*",
     program({"D10", "G00X0Y0", "G02X1.0Y0.0I0.5J0.0", "G00X0.0Y0.5"})},
    {"CircularFallsBackToDraw", "D10*G02X1000Y0I500J0D01*X0Y500*",
     program({"D10", "G00X0Y0", "G02X1.0Y0.0I0.5J0.0", "G01X0.0Y0.5"})},
    // "G03" alone only switches the mode (no arc of radius 0 back onto the point).
    {"ModeBlockAloneWritesNoArc", "D10*X1000Y0D02*G03*X0Y1000I-1000J0D01*G01*",
     program({"D10", "G00X0Y0", "G00X1.0Y0.0", "G03X0.0Y1.0I-1.0J0.0", "G01X0.0Y1.0"})},
    // G74 gives I and J without signs: the centre is where the arc spans a quadrant.
    {"SingleQuadrantOffsetsGetSigns",
     "D10*G74*X-2500Y0D02*G02*X2500Y0I2500J4000D01*X2500Y4000D02*G03*X-2500Y4000I2500J4000D01*"
     "G75*X0Y0D02*G03X1000Y1000I1000J0D01*",
     program({"D10", "G00X0Y0", "G00X0Y0", "G00X-2.5Y0.0", "G02X2.5Y0.0I2.5J-4.0", "G00X2.5Y4.0",
              "G03X-2.5Y4.0I-2.5J-4.0", "G01X-2.5Y4.0", "G00X0.0Y0.0", "G03X1.0Y1.0I1.0J0.0"})},
    {"G01FollowsTheLastDcode", "D10*X1000D02*G01*X2000D01*G01*",
     program({"D10", "G00X0Y0", "G00X1.0Y0", "G00X1.0Y0", "G01X2.0Y0", "G01X2.0Y0"})},
    // A comment is no data: "XSize", "DCode" and "R" in it change nothing.
    {"CommentsLeaveNoTrace",
     "D10*X1000Y2000D02*G04:AMPARAMS|DCode=24|XSize=70.9mil|Rot=90*G04 Dims in mm*X3000D01*",
     program({"D10", "G00X0Y0", "G00X1.0Y2.0", "G00X1.0Y2.0", "G00X1.0Y2.0", "G01X3.0Y2.0"})},
    {"Incremental", "D10*X1000Y1000D02*X1000D01*G02X1000Y1000I500J-500D01*",
     program({"D10", "G00X0Y0", "G00X1.0Y1.0", "G01X2.0Y1.0", "G02X3.0Y2.0I0.5J-0.5"}), 2, true},
    // G91 goes on from where G90 left the tool, and G90 back again.
    {"G91AfterAbsolute", "D10*X5000Y5000D02*G91*X1000D01*G90*X0D01*",
     program({"D10", "G00X0Y0", "G00X5.0Y5.0", "G00X5.0Y5.0", "G01X6.0Y5.0", "G01X6.0Y5.0",
              "G01X0.0Y5.0"})},
    {"NegativeAndSignedNumbers", "D10*X-1250Y+250D02*X- 500D01*",
     program({"D10", "G00X0Y0", "G00X-1.25Y0.25", "G01X-0.5Y0.25"})},
    {"NoNumberReadsZero", "D10*XY1000D02*", program({"D10", "G00X0Y0", "G00X0.0Y1.0"})},
    {"EmptyText", "", ""},
    {"OnlyParameters", "%FSLAX24Y24*%\r\n%MOMM*%\r\n", ""},
    {"EndOfDataWritesNothing", "D10*M02*", program({"D10", "G00X0Y0"})},
    // Radius blocks: a positive radius takes the short arc, a negative one the long.
    {"RadiusShortArcClockwise", "D10*X0Y0D02*G02X1000Y1000R1000D01*",
     program({"D10", "G00X0Y0", "G00X0.0Y0.0", "G02X1.0Y1.0I1.0J0.0"})},
    {"RadiusLongArcClockwise", "D10*X0Y0D02*G02X1000Y1000R-1000D01*",
     program({"D10", "G00X0Y0", "G00X0.0Y0.0", "G02X1.0Y1.0I0.0J1.0"})},
    {"RadiusShortArcCounterClockwise", "D10*X0Y0D02*G03X1000Y1000R1000D01*",
     program({"D10", "G00X0Y0", "G00X0.0Y0.0", "G03X1.0Y1.0I0.0J1.0"})},
    // Half a chord that the data rounded past its radius is the half circle.
    {"RadiusRoundedBelowHalfChord", "D10*X0Y0D02*G03X2001Y0R1000D01*",
     program({"D10", "G00X0Y0", "G00X0.0Y0.0", "G03X2.001Y0.0I1.0005J0.0"})},
    {"RadiusOnLineIsIgnored", "D10*X0Y0D02*X1000R5000D01*",
     program({"D10", "G00X0Y0", "G00X0.0Y0.0", "G01X1.0Y0.0"})},
};

INSTANTIATE_TEST_SUITE_P(Gerber, GerberConversion, testing::ValuesIn(kConversions),
                         [](const auto& info) { return std::string(info.param.name); });

// How 1.23 mm (and a few other numbers) read under each unit option.
struct UnitCase {
    const char* name;
    int unit;
    const char* number;
    const char* expectedX;
};

void PrintTo(const UnitCase& c, std::ostream* os) {
    *os << c.name;
}

class GerberUnits : public testing::TestWithParam<UnitCase> {};

TEST_P(GerberUnits, ReadsTheNumber) {
    const UnitCase& c = GetParam();
    const auto result = gerberToGcode(std::string("D10*X") + c.number + "D03*", optionsOf(c.unit));
    ASSERT_TRUE(result.ok()) << result.failure().description;
    EXPECT_EQ(result.value(), program({"D10", "G00X0Y0", c.expectedX}));
}

const UnitCase kUnits[] = {
    {"Point", 0, "1.23", "G81X1.23Y0"},
    {"PointWithoutDecimals", 0, "12", "G81X12.0Y0"},
    {"Hundredths", 1, "123", "G81X1.23Y0"},
    {"Thousandths", 2, "1230", "G81X1.23Y0"},
    {"ThousandthsWithLeadingZeros", 2, "001230", "G81X1.23Y0"},
    {"TenThousandths", 3, "12300", "G81X1.23Y0"},
    {"HundredThousandths", 6, "123000", "G81X1.23Y0"},
    {"FiveDecimals", 6, "1", "G81X0.00001Y0"},
    {"FiveDecimalsRounded", 0, "0.000015", "G81X0.00002Y0"},
    {"Negative", 3, "-12345", "G81X-1.2345Y0"},
    {"LeadingZerosThreeDigits", 4, "00123", "G81X1.23Y0"},
    {"LeadingZerosFullWidth", 4, "001230", "G81X1.23Y0"},
    {"LeadingZerosTrailingDropped", 4, "1", "G81X100.0Y0"},
    {"LeadingZerosNegative", 4, "-0015", "G81X-1.5Y0"},
    {"LeadingZerosFourDigits", 5, "000123", "G81X1.23Y0"},
    {"LeadingZerosFourDigitsLong", 5, "01234567", "G81X123.4567Y0"},
    {"LeadingZerosWithPoint", 5, "2.5", "G81X2.5Y0"},
    {"LeadingZerosNoDigits", 4, "", "G81X0.0Y0"},
    // Kept to the digit: one micron more or less must show at 200 mm.
    {"LargeCoordinateKeepsItsDigits", 2, "200001", "G81X200.001Y0"},
};

INSTANTIATE_TEST_SUITE_P(Gerber, GerberUnits, testing::ValuesIn(kUnits),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    std::string gerber;
    int number;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class GerberFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(GerberFailure, GivesNoProgram) {
    const FailureCase& c = GetParam();
    const auto result = gerberToGcode(c.gerber);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure().number, c.number);
    EXPECT_FALSE(result.failure().description.empty());
}

const FailureCase kFailures[] = {
    {"ApertureAbove9999", "D10*X1D01*D10000*", 380},
    {"ApertureWithHugeNumber", "D99999999999999999999999999*", 380},
    {"CoordinateBeyondSinglePrecision", "D10*X1" + std::string(45, '0') + "D01*", 6},
    {"CoordinateOfThousandDigits", "X" + std::string(1000, '9') + "D02*", 6},
    {"OffsetBeyondSinglePrecision", "G02X0Y0I" + std::string(50, '9') + "D01*", 6},
    {"IncrementalSumOverflows",
     "G91*X" + std::string(42, '9') + "D02*X" + std::string(42, '9') + "D02*", 6},
    {"RadiusFarShorterThanHalfChord", "D10*X0Y0D02*G02X4000Y0R1000D01*", 5},
};

INSTANTIATE_TEST_SUITE_P(Gerber, GerberFailure, testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GerberToGcode, Aperture9999IsTheLast) {
    const auto result = gerberToGcode("D9999*");
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.value(), program({"D9999", "G00X0Y0"}));
}

TEST(GerberToGcode, ReportsProgressOnLongData) {
    std::string gerber = "D10*";
    for (int i = 0; i < 20000; ++i) {
        gerber += "X" + std::to_string(i) + "D01*";
    }
    int calls = 0;
    GerberImportOptions options;
    options.progress = [&calls] { ++calls; };
    const auto result = gerberToGcode(gerber, options);
    ASSERT_TRUE(result.ok());
    EXPECT_GE(calls, 4);
}

// Random bytes, and real blocks cut anywhere: a result or a failure, never a crash,
// and every line a D line or a motion block.
TEST(GerberToGcode, SurvivesHostileText) {
    std::mt19937 random(7);
    const std::string alphabet = "XYIJRDGM0123456789.-+ *%$\r\n,";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i) {
            text += round % 2 ? static_cast<char>(random() % 256)
                              : alphabet[random() % alphabet.size()];
        }
        const auto result = gerberToGcode(text, optionsOf(static_cast<int>(round % 7)));
        if (!result.ok()) {
            continue;
        }
        std::istringstream lines(result.value());
        for (std::string line; std::getline(lines, line);) {
            ASSERT_FALSE(line.empty());
            EXPECT_TRUE(line[0] == 'D' || line[0] == 'G') << line;
            EXPECT_EQ(line.find("nf"), std::string::npos) << line;
            EXPECT_EQ(line.find("NaN"), std::string::npos) << line;
        }
    }
}

// ---- The motion of a program, for comparing programs written differently ----

struct Motion {
    std::string word;
    double x, y, i, j;
};

// Motion blocks of a G-code program with modal X and Y; moves that go nowhere
// (the G00 the import writes at every aperture change) are left out.
std::vector<Motion> motions(const std::string& gcode) {
    std::vector<Motion> out;
    double x = 0, y = 0;
    std::istringstream lines(gcode);
    for (std::string line; std::getline(lines, line);) {
        if (line.size() < 3 || line[0] != 'G') {
            continue;
        }
        auto value = [&](char letter, double fallback) {
            const auto at = line.find(letter);
            return at == std::string::npos
                       ? fallback
                       : talmir::text::numericValue(std::string_view(line).substr(at + 1));
        };
        Motion m{line.substr(0, 3), value('X', x), value('Y', y), value('I', 0), value('J', 0)};
        if (m.word == "G00" && m.x == x && m.y == y) {
            continue;
        }
        x = m.x;
        y = m.y;
        out.push_back(m);
    }
    return out;
}

// Our own Gerber export read back: the same moves, draws, arcs and flashes.
struct RoundTripCase {
    const char* name;
    talmir::exporters::GerberOptions exportOptions;
    int importUnit;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

class GerberRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(GerberRoundTrip, GivesTheSameMotion) {
    const RoundTripCase& c = GetParam();
    // Numbers on the hundredths grid, so that every unit carries them exactly.
    const std::string original =
        program({"(T1)", "G00X1.0Y1.0", "G01X5.25Y1.0", "G02X7.25Y3.0I0.0J2.0",
                 "G03X9.25Y5.0I2.0J0.0", "G00X-3.5Y2.25", "G01Y4.0", "G01X-10.01Y-20.02", "(T2)",
                 "G81X3.0Y3.0", "G81X4.0Y3.0", "(T1)", "G00X0.5Y0.5", "G01X0.75Y0.5"});
    const auto gerber = talmir::exporters::gcodeToGerber(original, c.exportOptions);
    ASSERT_TRUE(gerber.ok()) << gerber.failure().description;
    const auto back = gerberToGcode(gerber.value(), optionsOf(c.importUnit));
    ASSERT_TRUE(back.ok()) << back.failure().description;

    const auto expected = motions(original);
    const auto actual = motions(back.value());
    ASSERT_EQ(actual.size(), expected.size()) << back.value();
    for (std::size_t n = 0; n < expected.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(actual[n].word, expected[n].word);
        EXPECT_NEAR(actual[n].x, expected[n].x, 1e-9);
        EXPECT_NEAR(actual[n].y, expected[n].y, 1e-9);
        EXPECT_NEAR(actual[n].i, expected[n].i, 1e-9);
        EXPECT_NEAR(actual[n].j, expected[n].j, 1e-9);
    }
    // Each section line became an aperture selection.
    std::size_t selections = 0;
    for (std::size_t at = back.value().find("\nD"); at != std::string::npos;
         at = back.value().find("\nD", at + 1)) {
        ++selections;
    }
    EXPECT_EQ(selections + (back.value().rfind('D', 0) == 0 ? 1 : 0), 3u) << back.value();
}

using talmir::exporters::GerberBlockEnd;
const RoundTripCase kRoundTrips[] = {
    {"Millimetres", {0, GerberBlockEnd::Star, false}, 0},
    {"Hundredths", {1, GerberBlockEnd::CrLf, false}, 1},
    {"Thousandths", {2, GerberBlockEnd::Lf, false}, 2},
    {"TenThousandths", {3, GerberBlockEnd::Cr, false}, 3},
    // A complete RS-274X file writes millimetres as integers with four decimals.
    {"Rs274xMillimetres", {0, GerberBlockEnd::Star, true}, 3},
    {"Rs274xThousandths", {2, GerberBlockEnd::CrLf, true}, 2},
};

INSTANTIATE_TEST_SUITE_P(Gerber, GerberRoundTrip, testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Real photoplot files of other programs, when the shared corpus is here ----

std::filesystem::path corpusDir() {
    const char* env = std::getenv("TALMIR_SHARED");
    return std::filesystem::path(env ? env : TALMIR_SHARED_DIR) / "corpus" / "gerber";
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct CorpusCase {
    const char* file;
    int unit;
    std::size_t draws;        // G01 blocks that go somewhere
    std::size_t arcs;         // G02 and G03 blocks
    std::size_t flashes;      // G81 blocks
    const char* firstMotion;  // first block that goes somewhere, as written
};

void PrintTo(const CorpusCase& c, std::ostream* os) {
    *os << c.file;
}

class GerberCorpus : public testing::TestWithParam<CorpusCase> {};

TEST_P(GerberCorpus, ConvertsEveryObject) {
    const CorpusCase& c = GetParam();
    const auto path = corpusDir() / c.file;
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << "no Gerber corpus at " << corpusDir();
    }
    const auto result = gerberToGcode(readFile(path), optionsOf(c.unit));
    ASSERT_TRUE(result.ok()) << result.failure().description;
    std::size_t draws = 0, arcs = 0, flashes = 0;
    double lastX = 0, lastY = 0;
    for (const Motion& m : motions(result.value())) {
        const bool goes = m.x != lastX || m.y != lastY;
        draws += m.word == "G01" && goes ? 1 : 0;
        arcs += m.word == "G02" || m.word == "G03" ? 1 : 0;
        flashes += m.word == "G81" ? 1 : 0;
        lastX = m.x;
        lastY = m.y;
        EXPECT_LT(std::fabs(m.x), 10000.0);
        EXPECT_LT(std::fabs(m.y), 10000.0);
    }
    EXPECT_EQ(draws, c.draws);
    EXPECT_EQ(arcs, c.arcs);
    EXPECT_EQ(flashes, c.flashes);
    std::istringstream lines(result.value());
    std::string first;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.rfind("G00X0Y0", 0) != 0 && line[0] == 'G') {
            first = line;
            break;
        }
    }
    EXPECT_EQ(first, c.firstMotion);
}

const CorpusCase kCorpus[] = {
    // Inch files read in ten-thousandths of the inch ("unit 3"), millimetre files with
    // three decimals in thousandths, KiCad's six decimals in hundred-thousandths.
    {"altium_pic18f14k50_outline_g03_macros.gko", 3, 16, 6, 0, "G00X3.372Y2.9567"},
    {"altium_pic18f14k50_silk_arcs.gto", 3, 234, 2, 0, "G00X3.041Y2.9318"},
    {"eagle_arduino-uno_outline.gko", 3, 373, 0, 0, "G00X0.8844Y0.97"},
    {"eagle_arduino-uno_soldermask_flashes.sts", 3, 92, 0, 38, "G81X1.395Y1.07"},
    {"eagle_top-cop.gbx", 3, 428, 0, 151, "G00X3.7262Y0.9096"},
    {"easyeda_Gerber_BoardOutline.GKO", 2, 16, 0, 0, "G00X0.0Y0.0"},
    {"gedapcb_numpres_group1.grb", 2, 102, 0, 86, "G00X0.0Y0.0"},
    {"gerbv_uwe_example_d01_d02_d03_macro.gbr", 3, 4, 0, 4, "G00X0.0181Y0.0181"},
    {"kicad2013_clockblock-Edge_Cuts_arcs_ij.gbr", 3, 32, 4, 0, "G00X4.1Y3.6"},
    {"kicad2013_clockblock-F_SilkS_arcs_ij.gbr", 3, 9806, 146, 299, "G00X1.2645Y3.1107"},
    {"kicad5_D1MiniGSR-Edge_Cuts.gbr", 6, 0, 0, 0, ""},
    {"kicad5_D1MiniGSR-F_Cu_x2attrs.gbr", 6, 16, 0, 20, "G81X978.65001Y-1558.05001"},
    {"orcad_rs232_cm_top_g74.top", 3, 90, 0, 40, "G00X0.23Y0.51"},
    {"tracespace_arc_full-circle.gbr", 3, 0, 2, 0, "G03X0.0Y0.0I-0.5J0"},
    {"tracespace_arc_multi-quadrant-III-to-I.gbr", 3, 0, 2, 0, "G00X-0.75Y-0.25"},
    {"tracespace_arc_single-quadrant-I-to-II.gbr", 3, 0, 2, 0, "G00X-0.25Y0.0"},
};

INSTANTIATE_TEST_SUITE_P(Gerber, GerberCorpus, testing::ValuesIn(kCorpus), [](const auto& info) {
    std::string n = info.param.file;
    for (char& ch : n) {
        ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    }
    return n;
});

}  // namespace
