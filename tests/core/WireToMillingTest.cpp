// Wire program to milling program: the fixed main program and macros, then the
// start holes (O1) and the contour (O2) taken from the wire program.

#include "core/import/WireToMilling.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using talmir::importers::wireToMilling;

namespace {

std::string crlf(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

constexpr std::string_view kHoleStart = "O1\r\n(DRL-XY)\r\n";

// What follows the fixed part: O1's lines, its M99, then O2 with its lines.
std::string subprograms(const std::string& program) {
    const auto at = program.find(kHoleStart);
    return at == std::string::npos ? std::string("<no O1>")
                                   : program.substr(at + kHoleStart.size());
}

std::string expectedSubprograms(std::initializer_list<const char*> holes,
                                std::initializer_list<const char*> contour) {
    return crlf(holes) + "M99\r\nO2\r\n(ENDMILE-XY)\r\n" + crlf(contour) + "M99\r\n";
}

struct WireCase {
    const char* name;
    std::string wire;
    std::string expected;  // from O1's first hole line on
};

void PrintTo(const WireCase& c, std::ostream* os) {
    *os << c.name;
}

class WireToMillingCase : public testing::TestWithParam<WireCase> {};

TEST_P(WireToMillingCase, WritesHolesAndContour) {
    EXPECT_EQ(subprograms(wireToMilling(GetParam().wire)), GetParam().expected);
}

const WireCase kCases[] = {
    {"square", crlf({"G92X0Y0", "M60", "G42G01X10.Y0", "G01X10.Y10.", "G40G01X0Y0", "M50"}),
     expectedSubprograms({"X0Y0"}, {"G00Z3.", "G01Z-#26F50.", "G42G01X10.Y0H100F#9", "G01X10.Y10.",
                                    "G40G01X0Y0", "G00Z50."})},
    {"no threading gives no holes", crlf({"G92X0Y0", "G01X5.Y5.", "M30"}),
     expectedSubprograms({}, {"G01X5.Y5."})},
    {"numbers are copied as written, a plus sign ends one",
     crlf({"G92X0010Y-.5", "M60", "G41X10.Y+3"}),
     expectedSubprograms({"X0010Y-.5"}, {"G00Z3.", "G01Z-#26F50.", "G42G01X10.YH100F#9"})},
    {"G41 becomes G42, G40 alone keeps the position", crlf({"G41G01X1.Y2.", "G01X3.", "G40"}),
     expectedSubprograms({}, {"G42G01X1.Y2.H100F#9", "G01X3.", "G40G01X3.Y2."})},
    {"threading with G50 is no hole but still plunges", crlf({"G50X1.Y1.M60", "G01X2.Y2."}),
     expectedSubprograms({}, {"G00Z3.", "G01Z-#26F50.", "G01X2.Y2."})},
    {"the X of a dwell is no start hole",
     crlf({"G92X5.Y5.", "M60", "M50", "G00X20.Y0", "G04X1.", "M60"}),
     expectedSubprograms({"X5.Y5.", "X20.Y0"}, {"G00Z3.", "G01Z-#26F50.", "G00Z50.", "G00X20.Y0",
                                                "G00Z3.", "G01Z-#26F50."})},
    {"threading at the end of a move plunges there",
     crlf({"G92X0Y0M60", "G01X1.Y1.", "M50", "G00X30.Y5.M60", "G01X31."}),
     expectedSubprograms({"X0Y0", "X30.Y5."}, {"G00Z3.", "G01Z-#26F50.", "G01X1.Y1.", "G00Z50.",
                                               "G00X30.Y5.", "G00Z3.", "G01Z-#26F50.", "G01X31."})},
    {"dwell and G92 lines stay out of the contour",
     crlf({"G92X1.Y1.", "G04X2.", "G01X3.Y3.", "M02"}), expectedSubprograms({}, {"G01X3.Y3."})},
    {"M60 wins over M50 and G92 on one line", crlf({"G92X4.Y4.M60M50"}),
     expectedSubprograms({"X4.Y4."}, {"G00Z3.", "G01Z-#26F50."})},
    {"contour starts from where the program ended", crlf({"G40", "G01X7.Y8."}),
     expectedSubprograms({}, {"G40G01X7.Y8.", "G01X7.Y8."})},
    {"comment lines never reach the contour",
     crlf({"(WIRE PROGRAM)", "(START M60 X99.)", "M60", "G01X1.Y1."}),
     expectedSubprograms({"XY"}, {"G00Z3.", "G01Z-#26F50.", "G01X1.Y1."})},
    {"a comment after the codes keeps the line",
     crlf({"G92X0Y0", "M60(THREAD)", "G01X10.Y10.(P1)", "G01X20.(EXIT Y5.", "M50"}),
     expectedSubprograms(
         {"X0Y0"}, {"G00Z3.", "G01Z-#26F50.", "G01X10.Y10.(P1)", "G01X20.(EXIT Y5.", "G00Z50."})},
    {"second byte of a double-byte character is no letter",
     // "ス" is 0x83 0x58 ("X"), "ポ" 0x83 0x4D ("M") before "60".
     crlf({"G92X1.Y1.", "\x83\x58\x38", "\x83\x4d\x36\x30", "G01Y2.\x83\x58"}),
     expectedSubprograms({}, {"G01Y2.\x83\x58"})},
    {"LF and CR line ends, no end after the last", "G92X1Y1\nM60\rG01X2Y2",
     expectedSubprograms({"X1Y1"}, {"G00Z3.", "G01Z-#26F50.", "G01X2Y2"})},
    {"empty program", "", expectedSubprograms({}, {})},
};

INSTANTIATE_TEST_SUITE_P(Cases, WireToMillingCase, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<WireCase>& info) {
                             std::string n = info.param.name;
                             for (char& c : n) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return n;
                         });

TEST(WireToMilling, FixedPartComesFirstAndOnce) {
    const std::string out = wireToMilling(crlf({"M60", "G01X1.Y1."}));
    EXPECT_EQ(out.rfind("#1=5.(KAKOU-FUKASA)\r\n#2=1.(STEP-FUKASA)\r\n#3=1.(ENDMIL-KEI)\r\n", 0),
              0u);
    EXPECT_EQ(out.find(kHoleStart), out.rfind(kHoleStart));
    EXPECT_NE(out.find("N999 M00 (#1 OR #2 ---ERROR)\r\nM30\r\nO777\r\n"), std::string::npos);
    EXPECT_NE(out.find("O888\r\n(KOTEI-CICLE)\r\nG#4010G#4009Z#26R#18Q#17F#9\r\nM99\r\nO1\r\n"),
              std::string::npos);
}

TEST(WireToMilling, HostileBytesDoNotUpsetIt) {
    std::string noise;
    unsigned state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1103515245u + 12345u;
        noise.push_back(static_cast<char>(state >> 16));
    }
    noise += "X";  // a letter at the very end
    const std::string out = wireToMilling(noise);
    EXPECT_EQ(out.substr(out.size() - 5), "M99\r\n");
    const std::string longLine = "G01X" + std::string(10'000'000, '9') + "Y1.";
    EXPECT_GT(wireToMilling(longLine).size(), longLine.size());
}

// The public wire programs found so far are hot-wire programs: lower-case x/y,
// no threading. They must go through without holes and keep their upper-case
// motion lines.
TEST(WireToMilling, Corpus) {
    const char* env = std::getenv("TALMIR_SHARED");
    const std::filesystem::path dir =
        std::filesystem::path(env ? env : TALMIR_SHARED_DIR) / "corpus" / "wire";
    if (!std::filesystem::is_directory(dir)) {
        GTEST_SKIP() << "no wire corpus at " << dir;
    }
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const std::string out = wireToMilling(bytes.str());
        ++files;
        EXPECT_NE(out.find("O2\r\n(ENDMILE-XY)\r\n"), std::string::npos) << entry.path();
        EXPECT_EQ(out.substr(out.size() - 5), "M99\r\n") << entry.path();
    }
    if (files == 0) {
        GTEST_SKIP() << "wire corpus is empty";
    }
}

}  // namespace
