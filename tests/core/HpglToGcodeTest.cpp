#include "core/export/GcodeToHpgl.h"
#include "core/import/HpglToGcode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>

using talmir::importers::HpglOptions;
using talmir::importers::hpglToGcode;

namespace {

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
    std::string hpgl;
    std::string expected;
};

void PrintTo(const ConversionCase& c, std::ostream* os) {
    *os << c.name;
}

class HpglConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(HpglConversion, WritesTheProgram) {
    const ConversionCase& c = GetParam();
    const auto result = hpglToGcode(c.hpgl);
    ASSERT_TRUE(result.ok()) << result.failure().description;
    EXPECT_EQ(result.value(), c.expected);
}

std::string caseName(const testing::TestParamInfo<ConversionCase>& info) {
    return info.param.name;
}

// Commands, the pen and its modes, numbers.
INSTANTIATE_TEST_SUITE_P(
    Commands, HpglConversion,
    testing::Values(
        ConversionCase{"SplitsAtSemicolonsAndDropsBlanks", "IN;SP1;PU0,0;PD 400,0;",
                       gcode({"SP1", "G00X0.0Y0.0", "G01X10.0Y0.0", "M30"})},
        ConversionCase{"EmptyTextIsOnlyTheEnd", "", gcode({"M30"})},
        ConversionCase{"ColonEndsACommandToo",
                       "PU40,0:PD80,0:", gcode({"G00X1.0Y0.0", "G01X2.0Y0.0", "M30"})},
        ConversionCase{"RelativeAfterAbsolute", "PA;PU400,400;PR;PD400,400;",
                       gcode({"G00X10.0Y10.0", "G01X20.0Y20.0", "M30"})},
        ConversionCase{"ModeAndPenInOneCommand", "PAPU400,400;PRPD-40,40;PAPD0,0;",
                       gcode({"G00X10.0Y10.0", "G01X9.0Y11.0", "G01X0.0Y0.0", "M30"})},
        ConversionCase{"EveryPairIsAMove", "PD100,0,100,100;",
                       gcode({"G01X2.5Y0.0", "G01X2.5Y2.5", "M30"})},
        ConversionCase{"BarePenCommandsOnlySwitch", "PU;PA40,40;PD;PA80,40;PU;PA0,0;PD;PA0,40;",
                       gcode({"G00X1.0Y1.0", "G01X2.0Y1.0", "G00X0.0Y0.0", "G01X0.0Y1.0", "M30"})},
        ConversionCase{"PenUpThenDownToTheSamePoint", "PU40,40;PD40,40;",
                       gcode({"G00X1.0Y1.0", "G01X1.0Y1.0", "M30"})},
        ConversionCase{
            "NumbersAsSingles", "PD1,3;PD-40,-1;PD493827,0.4;",
            // 12345.675 is 12345.6748046875 in single precision.
            gcode({"G01X0.025Y0.075", "G01X-1.0Y-0.025", "G01X12345.674805Y0.01", "M30"})},
        ConversionCase{"RelativeMovesAddUpInSingles", "PR;PD1,0;PD1,0;PD1,0;",
                       gcode({"G01X0.025Y0.0", "G01X0.05Y0.0", "G01X0.075Y0.0", "M30"})},
        ConversionCase{"TrailingLoneNumberIgnored", "PD40,40,80;", gcode({"G01X1.0Y1.0", "M30"})},
        ConversionCase{"LoneNumberIsNoPoint", "PD40;PD;PA80,80;", gcode({"G01X2.0Y2.0", "M30"})},
        ConversionCase{"MissingYReadsAsZero", "PD40,;", gcode({"G01X1.0Y0.0", "M30"})},
        ConversionCase{"OtherCommandsLeaveNoTrace",
                       "IN;DF;SC0,100,0,100;IP0,0,4000,4000;LT1;VS10;PW0.3;PG;PD40,0;",
                       gcode({"G01X1.0Y0.0", "M30"})},
        ConversionCase{"LineEndsInsideNumbersAreDropped", "PU4\r\n0,0;P\nD8\r0,\r\n4\n0;",
                       gcode({"G00X1.0Y0.0", "G01X2.0Y1.0", "M30"})},
        ConversionCase{"EscapeSequencesLeaveNoTrace",
                       "\x1b.(;\x1b.I81;;17:\x1b.N;19:IN;PU;PA40,40;PD;PA80,80;",
                       gcode({"G00X1.0Y1.0", "G01X2.0Y2.0", "M30"})},
        ConversionCase{"PenSelectionStaysAsWritten", "SP1;PD40,0;SP2;PD80,0;SP;",
                       gcode({"SP1", "G01X1.0Y0.0", "SP2", "G01X2.0Y0.0", "SP", "M30"})}),
    caseName);

// The tidying of rapid moves and the end of the program.
INSTANTIATE_TEST_SUITE_P(
    Tidying, HpglConversion,
    testing::Values(ConversionCase{"RunOfRapidsKeepsItsLast", "PU40,40;PU80,80;PD120,120;PU0,0;",
                                   gcode({"G00X2.0Y2.0", "G01X3.0Y3.0", "M30"})},
                    ConversionCase{"FinalRapidKeptBeforeAPenSelection", "PD40,0;PU0,0;SP0;",
                                   gcode({"G01X1.0Y0.0", "G00X0.0Y0.0", "SP0", "M30"})},
                    ConversionCase{"FinalRapidDropped", "PD40,0;PU0,0;",
                                   gcode({"G01X1.0Y0.0", "M30"})},
                    ConversionCase{"OnlyRapids", "PU40,0;PU80,0;", gcode({"M30"})}),
    caseName);

// Arcs and circles. Positive sweeps run counter-clockwise; I and J are the centre
// seen from the pen before the arc.
INSTANTIATE_TEST_SUITE_P(
    Arcs, HpglConversion,
    testing::Values(
        ConversionCase{"AbsoluteQuarterCounterClockwise", "PU300,0;PD;AA300,100,90;",
                       gcode({"G00X7.5Y0.0", "G03X10.0Y2.5I0.0J2.5", "M30"})},
        // The end point is computed with pi to 14 decimals: a coordinate that
        // should be 0 may come out as a tiny negative and keep its sign.
        ConversionCase{"AbsoluteNegativeSweepIsClockwise", "PU400,0;AA0,0,-90;",
                       gcode({"G00X10.0Y0.0", "G02X0.0Y-10.0I-10.0J0.0", "M30"})},
        ConversionCase{"RelativeCentre", "PU400,0;AR-400,0,90;",
                       gcode({"G00X10.0Y0.0", "G03X0.0Y10.0I-10.0J0.0", "M30"})},
        ConversionCase{"SecondQuadrantCentre", "PU400,0;AR-200,200,180;",
                       gcode({"G00X10.0Y0.0", "G03X0.0Y10.0I-5.0J5.0", "M30"})},
        ConversionCase{"ThirdQuadrantCentre", "PU400,400;AA200,200,-180;",
                       gcode({"G00X10.0Y10.0", "G02X0.0Y0.0I-5.0J-5.0", "M30"})},
        ConversionCase{"FourthQuadrantCentre", "PU0,400;AA200,200,180;",
                       gcode({"G00X0.0Y10.0", "G03X10.0Y0.0I5.0J-5.0", "M30"})},
        ConversionCase{"ChordToleranceIgnored", "PU0,0;AA40,0,180,5;",
                       gcode({"G00X0.0Y0.0", "G03X2.0Y0.0I1.0J0.0", "M30"})},
        // After an arc the pen counts as down, so the next pair is a cut.
        ConversionCase{"ArcPutsThePenDown", "PU0,0;AA40,0,180;PA80,0;",
                       gcode({"G00X0.0Y0.0", "G03X2.0Y0.0I1.0J0.0", "G01X2.0Y0.0", "M30"})},
        ConversionCase{
            "CircleAroundThePen", "PU100,100;CI100;PD100,200;",
            gcode({"G00X5.0Y2.5", "G02X5.0Y2.5I-2.5J0", "G00X2.5Y2.5", "G01X2.5Y5.0", "M30"})},
        ConversionCase{
            "CircleKeepsThePenState", "PD;CI40;PA0,40;",
            gcode({"G00X1.0Y0.0", "G02X1.0Y0.0I-1.0J0", "G00X0.0Y0.0", "G01X0.0Y1.0", "M30"})},
        ConversionCase{"CircleToleranceIgnored", "CI40,5;SP0;",
                       gcode({"G00X1.0Y0.0", "G02X1.0Y0.0I-1.0J0", "G00X0.0Y0.0", "SP0", "M30"})}),
    caseName);

// Streams and inputs that the plain split-at-";" reading gets wrong: each case
// once lost moves, wrote foreign text into the program, wrote malformed words,
// failed or hung.
INSTANTIATE_TEST_SUITE_P(
    Robustness, HpglConversion,
    testing::Values(
        ConversionCase{"LastCommandWithoutSeparator", "PU0,0;PD40,0",
                       gcode({"G00X0.0Y0.0", "G01X1.0Y0.0", "M30"})},
        ConversionCase{"LastPenSelectionWithoutSeparator", "PD40,0;SP0",
                       gcode({"G01X1.0Y0.0", "SP0", "M30"})},
        ConversionCase{"CommandsRunTogether", "\x03INSP1PAPU400,400PRPD40,-40PASPPU0,0",
                       gcode({"SP1", "G00X10.0Y10.0", "G01X11.0Y9.0", "SP", "M30"})},
        ConversionCase{"CommandAfterALineEnd", "PU 500,500;\nCI50,1;\nPW0.4\nCI100,1;\n",
                       gcode({"G00X13.75Y12.5", "G02X13.75Y12.5I-1.25J0", "G00X15.0Y12.5",
                              "G02X15.0Y12.5I-2.5J0", "M30"})},
        ConversionCase{"LabelTextIsNoCommand",
                       "PD40,0;LBSPARE PU1,2\x03PD80,0;LBA;B PU\x03;PD120,0;",
                       gcode({"G01X1.0Y0.0", "G01X2.0Y0.0", "G01X3.0Y0.0", "M30"})},
        ConversionCase{"CommentTextIsNoCommand", "CO\"SP1 PU40,40\"PD40,0;CO PLOT SP2 PD;PD80,0;",
                       gcode({"G01X1.0Y0.0", "G01X2.0Y0.0", "M30"})},
        // Encoded polylines pack numbers into letters: no command hides in them.
        ConversionCase{"EncodedPolylineIsNoCommand", "PD40,0;PE<=SPAACIPDPUAR?;WDSP1\x03PD80,0;",
                       gcode({"G01X1.0Y0.0", "G01X2.0Y0.0", "M30"})},
        ConversionCase{"BlankSeparatesNumbers", "PD 400 0, 400 -400;",
                       gcode({"G01X10.0Y0.0", "G01X10.0Y-10.0", "M30"})},
        // A pen command followed by text it does not know once looped forever.
        ConversionCase{"ForeignTextEndsThePenCommand", "PDX1,2;PUPW1,2;PD40,0;",
                       gcode({"G01X1.0Y0.0", "M30"})},
        ConversionCase{
            "NegativeCircleRadius", "PU100,100;CI-40;PD100,100;",
            gcode({"G00X1.5Y2.5", "G02X1.5Y2.5I1.0J0", "G00X2.5Y2.5", "G01X2.5Y2.5", "M30"})},
        // A G02/G03 that ends where it starts is a full circle to a machine.
        ConversionCase{"ArcWithoutSweepIsAPoint", "PU40,0;AA0,0,0;",
                       gcode({"G00X1.0Y0.0", "G01X1.0Y0.0", "M30"})},
        ConversionCase{"ArcWithoutRadiusIsAPoint", "PU40,0;AR0,0,90;",
                       gcode({"G00X1.0Y0.0", "G01X1.0Y0.0", "M30"})},
        ConversionCase{"ShiftJisTrailBytesAreNoLetters",
                       "CO\"\x83\x41\x83\x50\";LB\x83\x50\x83\x52\x03;PD40,0;",
                       gcode({"G01X1.0Y0.0", "M30"})}),
    caseName);

// The whole program is the same wherever line ends and blanks stand between the
// bytes of a command.
TEST(HpglToGcode, LineEndsAnywhereChangeNothing) {
    const std::string hpgl = "IN;SP1;PA;PU400,400;PD800,400,800,800;AA600,600,90;CI40;PU0,0;SP0;";
    const auto plain = hpglToGcode(hpgl);
    ASSERT_TRUE(plain.ok());
    for (std::string_view gap : {"\r\n", "\n", "\r"}) {
        std::string spread;
        for (char c : hpgl) {
            spread += c;
            spread += gap;
        }
        const auto result = hpglToGcode(spread);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.value(), plain.value());
    }
}

// A program written as HPGL by the export and read back gives its cuts again.
TEST(HpglToGcode, ReadsBackTheCutsOfTheExport) {
    const auto hpgl = talmir::exporters::gcodeToHpgl(
        "G00X0.Y0.\r\nG01X10.Y0.\r\nG02X20.Y0.I5.J0.\r\nG01X20.Y5.\r\nG03X10.Y5.I-5.J0.\r\n"
        "G01X12.3Y-1.5\r\nM30");
    ASSERT_TRUE(hpgl.ok());
    const auto result = hpglToGcode(hpgl.value());
    ASSERT_TRUE(result.ok());
    std::string cuts;
    const std::string& program = result.value();
    for (std::size_t start = 0; start < program.size();) {
        const std::size_t end = program.find("\r\n", start) + 2;
        const std::string line = program.substr(start, end - start);
        if (line.starts_with("G01") || line.starts_with("G02") || line.starts_with("G03")) {
            cuts += line;
        }
        start = end;
    }
    EXPECT_EQ(cuts, gcode({"G01X10.0Y0.0", "G02X20.0Y0.0I5.0J0.0", "G01X20.0Y5.0",
                           "G03X10.0Y5.0I-5.0J0.0", "G01X12.3Y-1.5"}));
}

struct FailureCase {
    const char* name;
    std::string hpgl;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class HpglFailure : public testing::TestWithParam<FailureCase> {};

// A value beyond single precision is the overflow the window reports; no
// "Infinity" ever reaches a program.
TEST_P(HpglFailure, ReportsOverflow) {
    const auto result = hpglToGcode(GetParam().hpgl);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure().number, 6);
    EXPECT_EQ(result.failure().description, "オーバーフローしました。");
}

INSTANTIATE_TEST_SUITE_P(
    Overflow, HpglFailure,
    testing::Values(FailureCase{"AbsoluteCoordinate", "PD40,0;PD2E40,0;"},
                    FailureCase{"DigitsBeyondDouble", "PD" + std::string(400, '9') + ",0;"},
                    FailureCase{"RelativeSum", "PR;PD1E40,0;PD1E40,0;"},
                    FailureCase{"ArcCentre", "AA0,2E40,90;"},
                    FailureCase{"ArcSweep", "PU40,0;AA0,0,1E39;"},
                    FailureCase{"CircleRadius", "CI-2E40;"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST(HpglToGcode, LargestSingleStillConverts) {
    const auto result = hpglToGcode("PD1E40,0;");
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.value(), gcode({"G01X250000007218949514365393469883371487232.0Y0.0", "M30"}));
}

TEST(HpglToGcode, ReportsProgressOnLongStreams) {
    std::string hpgl;
    for (int i = 0; i < 10000; ++i) {
        hpgl += "PD1,1;";
    }
    int calls = 0;
    HpglOptions options;
    options.progress = [&calls] { ++calls; };
    ASSERT_TRUE(hpglToGcode(hpgl, options).ok());
    EXPECT_EQ(calls, 2);
}

// Random bytes, with the separators and letters of plot files mixed in, end in a
// program or the overflow, never in a crash or a hang.
TEST(HpglToGcode, ArbitraryBytesEndInAProgramOrAnError) {
    std::mt19937 random(20261208);
    const std::string alphabet = "PUDARCISLBO0123456789.,-+;: \r\n\x1b\x03\"E";
    for (int round = 0; round < 400; ++round) {
        std::string hpgl(static_cast<std::size_t>(random() % 400), '\0');
        for (char& c : hpgl) {
            c = random() % 3 == 0 ? static_cast<char>(random() % 256)
                                  : alphabet[random() % alphabet.size()];
        }
        const auto result = hpglToGcode(hpgl);
        if (result.ok()) {
            EXPECT_TRUE(result.value().ends_with("M30\r\n"));
            EXPECT_EQ(result.value().find("nf"), std::string::npos);
            EXPECT_EQ(result.value().find("NaN"), std::string::npos);
        } else {
            EXPECT_EQ(result.failure().number, 6);
        }
    }
}

// Real plot files from other programs, when the shared corpus is present.
std::filesystem::path corpusDir() {
    const char* env = std::getenv("TALMIR_SHARED");
    return std::filesystem::path(env ? env : TALMIR_SHARED_DIR) / "corpus" / "hpgl";
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct CorpusCase {
    const char* file;
    std::map<std::string, int> wordCounts;  // first three bytes of each line
    const char* firstLines;                 // the program's beginning
    const char* lastLines;                  // its end
};

void PrintTo(const CorpusCase& c, std::ostream* os) {
    *os << c.file;
}

class HpglCorpus : public testing::TestWithParam<CorpusCase> {};

TEST_P(HpglCorpus, ConvertsTheRealFile) {
    const CorpusCase& c = GetParam();
    const auto path = corpusDir() / c.file;
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << path << " is not here";
    }
    const auto result = hpglToGcode(readBytes(path));
    ASSERT_TRUE(result.ok()) << result.failure().description;
    const std::string& program = result.value();
    std::map<std::string, int> counts;
    for (std::size_t start = 0; start < program.size();) {
        const std::size_t end = program.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        ++counts[program.substr(start, std::min<std::size_t>(3, end - start))];
        start = end + 2;
    }
    EXPECT_EQ(counts, c.wordCounts);
    EXPECT_TRUE(program.starts_with(c.firstLines)) << program.substr(0, 200);
    EXPECT_TRUE(program.ends_with(c.lastLines)) << program.substr(program.size() - 200);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HpglCorpus,
    testing::Values(
        // ESC device-control sequences, ":" terminators, one PA pair a command.
        CorpusCase{"autocad_acad_esc_sequences.hp",
                   {{"G00", 334}, {"G01", 1987}, {"SP1", 1}, {"SP", 1}, {"M30", 1}},
                   "SP1\r\nG00X120.25Y152.475006\r\nG01X120.25Y142.475006\r\n",
                   "G01X109.275002Y67.0\r\nG00X0.0Y0.0\r\nSP\r\nM30\r\n"},
        // Commands run together without separators, relative cuts, pens 1 and 2.
        CorpusCase{"mswindows_win_1_no_separators.hp",
                   {{"G00", 149}, {"G01", 179}, {"SP1", 1}, {"SP2", 2}, {"SP", 1}, {"M30", 1}},
                   "SP2\r\nSP2\r\nG00X163.625Y161.0\r\nG01X161.25Y163.25\r\n",
                   "G00X162.625Y178.875\r\nG01X164.875Y178.875\r\nSP\r\nM30\r\n"},
        CorpusCase{"gcodeplot_star_pu_pd_single_pairs.plt",
                   {{"G00", 1}, {"G01", 68}, {"M30", 1}},
                   "G00X89.5Y221.75\r\nG01X77.875Y229.449997\r\n",
                   "G01X89.5Y221.75\r\nM30\r\n"},
        CorpusCase{"gcodeplot_test_pd_multi_pairs.hpgl",
                   {{"G00", 7}, {"G01", 383}, {"SP1", 1}, {"SP0", 1}, {"M30", 1}},
                   "SP1\r\nG00X0.25Y146.225006\r\nG01X0.5Y146.225006\r\nG01X146.5Y146.225006\r\n",
                   "G00X0.0Y0.0\r\nSP0\r\nM30\r\n"},
        CorpusCase{"hp2xx_arcs_aa_pr_ci.hp",
                   {{"G00", 4}, {"G01", 3}, {"G02", 4}, {"G03", 2}, {"M30", 1}},
                   "G00X2.5Y0.0\r\nG01X7.5Y0.0\r\nG03X10.0Y2.5I0.0J2.5\r\nG01X10.0Y7.5\r\n"
                   "G03X0.0Y7.5I-5.0J0.0\r\nG01X0.0Y2.5\r\nG02X2.5Y0.0I0.0J-2.5\r\n",
                   "G00X8.75Y7.5\r\nG02X8.75Y7.5I-3.75J0\r\nM30\r\n"},
        // A comment, and PW commands ended by line ends only.
        CorpusCase{"hp2xx_ci_circles_pw.hp",
                   {{"G00", 4}, {"G02", 4}, {"M30", 1}},
                   "G00X13.75Y12.5\r\nG02X13.75Y12.5I-1.25J0\r\nG00X15.0Y12.5\r\n",
                   "G00X25.0Y12.5\r\nG02X25.0Y12.5I-12.5J0\r\nM30\r\n"},
        // Labels and page breaks, no cut at all.
        CorpusCase{"hp2xx_pages_pg_lb.hp",
                   {{"G00", 1}, {"SP0", 1}, {"M30", 1}},
                   "G00X0.5Y0.5\r\nSP0\r\n",
                   "SP0\r\nM30\r\n"}),
    [](const testing::TestParamInfo<CorpusCase>& info) {
        std::string name = info.param.file;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

}  // namespace
