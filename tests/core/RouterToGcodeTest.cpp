#include "core/import/RouterToGcode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <sstream>
#include <string>

using talmir::importers::RouterImportOptions;
using talmir::importers::routerToGcode;

namespace {

std::string program(std::initializer_list<const char*> lines) {
    std::string out = "D10\r\n";
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

RouterImportOptions optionsOf(int unit, bool incremental = false) {
    RouterImportOptions o;
    o.unit = unit;
    o.incremental = incremental;
    return o;
}

struct ConversionCase {
    const char* name;
    std::string router;
    std::string expected;
    int unit = 2;
    bool incremental = false;
};

void PrintTo(const ConversionCase& c, std::ostream* os) {
    *os << c.name;
}

class RouterConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(RouterConversion, WritesTheProgram) {
    const ConversionCase& c = GetParam();
    const auto result = routerToGcode(c.router, optionsOf(c.unit, c.incremental));
    ASSERT_TRUE(result.ok()) << result.failure().description;
    EXPECT_EQ(result.value(), c.expected);
}

const ConversionCase kConversions[] = {
    {"ZRecordsWriteNothing", "G00X1000Y1000\r\nZ-100\r\nX5000Y1000\r\nZ100\r\n",
     program({"G00X1.0Y1.0", "G01X5.0Y1.0"})},
    {"EmptyInputIsOnlyTheDrawingCode", "", program({})},
    // The tool starts up: G01 without any Z is a rapid move.
    {"G01WithToolUpIsRapid", "G01X1000Y1000\n", program({"G00X1.0Y1.0"})},
    {"G01WithToolDownIsFeed", "Z-1\nG01X1000\n", program({"G01X1.0Y0"})},
    // Z0 itself cuts, but a G01 while the last Z is 0 moves rapidly.
    {"ZeroZ", "Z0\nX1000\nG01X2000\n", program({"G01X1.0Y0", "G00X2.0Y0"})},
    {"ZUpAfterCuttingIsRapid", "Z-1\nX1000\nZ1\nX2000\n", program({"G01X1.0Y0", "G00X2.0Y0"})},
    {"OnlyYKeepsX", "X1500Y1000\nY2500\n", program({"G00X1.5Y1.0", "G00X1.5Y2.5"})},
    // I and J belong to their record only.
    {"ArcKeepsIandJ", "Z-1\nG02X1000Y0I500J0\nX2000\n",
     program({"G02X1.0Y0.0I0.5J0.0", "G02X2.0Y0.0"})},
    // The short arc for a positive radius, the long one for a negative radius.
    {"RadiusArcShort", "Z-1\nX0Y0\nG02X1000Y1000R1000\n",
     program({"G01X0.0Y0.0", "G02X1.0Y1.0I1.0J0.0"})},
    {"RadiusArcLong", "Z-1\nX0Y0\nG02X1000Y1000R-1000\n",
     program({"G01X0.0Y0.0", "G02X1.0Y1.0I0.0J1.0"})},
    {"RadiusArcCounterClockwise", "Z-1\nX0Y0\nG03X1000Y1000R1000\n",
     program({"G01X0.0Y0.0", "G03X1.0Y1.0I0.0J1.0"})},
    // A radius slightly shorter than half the chord (rounding) gives the half circle.
    {"RadiusRoundedShortIsHalfCircle", "Z-1\nX0Y0\nG02X2000Y0R999.5\n",
     program({"G01X0.0Y0.0", "G02X2.0Y0.0I1.0J0.0"})},
    // The next arc starts where the radius arc ended.
    {"RadiusArcsChain", "X0Y0\nG03X1000Y1000R1000\nX0Y2000R1000\n",
     program({"G00X0.0Y0.0", "G03X1.0Y1.0I0.0J1.0", "G03X0.0Y2.0I-1.0J0.0"})},
    // A radius on a straight move is no arc; a radius alone moves nowhere.
    {"RadiusOnLineIsIgnored", "Z-1\nX0Y0\nX1000Y1000R1000\n",
     program({"G01X0.0Y0.0", "G01X1.0Y1.0"})},
    {"RadiusAloneWritesNothing", "Z-1\nG02X1000Y0I500J0\nR500\n", program({"G02X1.0Y0.0I0.5J0.0"})},
    {"Incremental", "X1000Y1000\nX1000\nY-500\n",
     program({"G00X1.0Y1.0", "G00X2.0Y1.0", "G00X2.0Y0.5"}), 2, true},
    {"ToolChangeRestartsIncrementalSums", "X1000\nX1000\nT2\nX500\n",
     program({"G00X1.0Y0", "G00X2.0Y0", "G00X0.5Y0"}), 2, true},
    {"G91AfterAbsoluteGoesOnFromThePoint", "X5000Y5000\nG91\nX1000\nG90\nX0\n",
     program({"G00X5.0Y5.0", "G00X6.0Y5.0", "G00X0.0Y5.0"})},
    // Only motion codes set the motion word.
    {"NonMotionCodesKeepTheWord", "Z-1\nX0Y0\nG04 P1\nX1000\nG90X2000\nG20 X3000\n",
     program({"G01X0.0Y0.0", "G01X1.0Y0.0", "G01X2.0Y0.0", "G01X3.0Y0.0"})},
    {"DrillCycleWord", "G81X1000Y1000\nX2000\n", program({"G81X1.0Y1.0", "G81X2.0Y1.0"})},
    {"G0IsWrittenWithTwoDigits", "Z-1\nG0 X1000\nG2X0Y0I-500J0\n",
     program({"G00X1.0Y0", "G02X0.0Y0.0I-0.5J0.0"})},
    // Comments are no data: "INCHES" sets no I, "X" in a comment moves nothing.
    {"CommentsLeaveNoTrace", "G00 X1000 Y1000 ( Units == INCHES. )\n(MSG, X marks Y)\nX2000\n",
     program({"G00X1.0Y1.0", "G00X2.0Y1.0"})},
    // "%" ends a record that is skipped; the header lines write nothing.
    {"PercentRecordsAreSkipped", "M48\nMETRIC\nT1C0.25\nX9%X2000\n%\nX3000\n",
     program({"G00X2.0Y0", "G00X3.0Y0"})},
    {"ControlCharactersEndRecords", "X1000\tY2000\x01X3000",
     program({"G00X1.0Y0", "G00X1.0Y2.0", "G00X3.0Y2.0"})},
    {"MillimetresWithPoint", "X1.23Y-4.5\nX0.0004Y1.23456\nX0.00004\n",
     program({"G00X1.23Y-4.5", "G00X0.0004Y1.2346", "G00X0.0Y1.2346"}), 0},
    // The "Z" of "TZ" in a drill-file header has no number: it is no Z word.
    {"HeaderTzIsNoZWord", "M48\nINCH,TZ\nX1000\n", program({"G00X1.0Y0"})},
    {"Hundredths", "X123Y-5\n", program({"G00X1.23Y-0.05"}), 1},
    {"SignsAndBlanks", "X- 1250Y+250\n", program({"G00X-1.25Y0.25"})},
};

INSTANTIATE_TEST_SUITE_P(Router, RouterConversion, testing::ValuesIn(kConversions),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    std::string router;
    int number;
    int unit = 2;
};

class RouterFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(RouterFailure, GivesNoProgram) {
    const FailureCase& c = GetParam();
    const auto result = routerToGcode(c.router, optionsOf(c.unit));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure().number, c.number);
}

const FailureCase kFailures[] = {
    {"RadiusShorterThanHalfChord", "X0Y0\nG02X10000Y0R1000\n", 5},
    {"HugeCoordinate", "X" + std::string(400, '9') + "\n", 6},
    {"HugeRadius", "X0Y0\nG02X1000Y0R" + std::string(400, '9') + "\n", 6},
    {"IncrementalSumOverflows",
     "G91\nX2" + std::string(38, '0') + "\nX2" + std::string(38, '0') + "\n", 6, 0},
    {"UnitOutOfRange", "X1000\n", 5, 3},
};

INSTANTIATE_TEST_SUITE_P(Router, RouterFailure, testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// Whatever the bytes, the conversion ends with a program or a failure, and a
// program holds only printable lines ended by CR LF.
TEST(RouterRobustness, RandomBytesAndLongLines) {
    std::mt19937 random(7);
    const std::string alphabet = "GXYZIJRT%()0123456789.-+ \r\n\t";
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 400);
        for (int k = 0; k < length; ++k) {
            text.push_back(round % 2 == 0 ? static_cast<char>(random() % 256)
                                          : alphabet[random() % alphabet.size()]);
        }
        const auto result = routerToGcode(text);
        if (result.ok()) {
            EXPECT_EQ(result.value().find("nan"), std::string::npos) << text;
            EXPECT_EQ(result.value().find("inf"), std::string::npos) << text;
        }
    }
    std::string longLine(10'000'000, '1');
    longLine.insert(0, "X");
    const auto result = routerToGcode(longLine);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure().number, 6);
}

TEST(RouterProgress, IsCalledOnLongInput) {
    RouterImportOptions options;
    int calls = 0;
    options.progress = [&] { ++calls; };
    std::string text;
    for (int k = 0; k < 10000; ++k) {
        text += "X1000Y1000\n";
    }
    ASSERT_TRUE(routerToGcode(text, options).ok());
    EXPECT_GT(calls, 0);
}

// Real router programs: every record with a coordinate outside comments and "%"
// records gives one line, moves between a plunge and a retract are G01.
TEST(RouterCorpus, ConvertsEveryFile) {
    const char* env = std::getenv("TALMIR_SHARED");
    const std::filesystem::path dir =
        std::filesystem::path(env ? env : TALMIR_SHARED_DIR) / "corpus" / "router";
    if (!std::filesystem::is_directory(dir)) {
        GTEST_SKIP() << "no corpus at " << dir;
    }
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        const std::string text = buffer.str();
        // Expected lines: records with X or Y once comments are gone.
        std::size_t expectedLines = 1;
        std::istringstream lines(text);
        for (std::string l; std::getline(lines, l);) {
            std::string data;
            bool comment = false;
            for (const char c : l) {
                if (c == '(') {
                    comment = true;
                } else if (c == ')') {
                    comment = false;
                } else if (!comment) {
                    data.push_back(c);
                }
            }
            if (data.find('%') == std::string::npos &&
                (data.find('X') != std::string::npos || data.find('Y') != std::string::npos)) {
                ++expectedLines;
            }
        }
        const auto result = routerToGcode(text, optionsOf(0));
        ASSERT_TRUE(result.ok()) << entry.path() << ": " << result.failure().description;
        std::size_t written = 0;
        std::size_t feeds = 0;
        for (std::size_t at = 0; (at = result.value().find("\r\n", at)) != std::string::npos;
             at += 2) {
            ++written;
        }
        for (std::size_t at = 0; (at = result.value().find("G01X", at)) != std::string::npos;
             ++at) {
            ++feeds;
        }
        EXPECT_EQ(written, expectedLines) << entry.path();
        if (entry.path().extension() == ".ngc") {
            // One rapid move to the start, the rest of the outline is cut.
            EXPECT_EQ(feeds, expectedLines - 2) << entry.path();
        }
        ++files;
    }
    EXPECT_GT(files, 0);
}

}  // namespace
