#include "core/import/IgesToGcode.h"

#include "core/export/GcodeToIges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using talmir::importers::IgesImportOptions;
using talmir::importers::igesToGcode;

namespace {

std::string rightAligned(std::string_view text, std::size_t width) {
    std::string out(width > text.size() ? width - text.size() : 0, ' ');
    out += text;
    return out;
}

// One 80-column record: `data` in columns 1 to 72, the section letter, the
// sequence number; ended by LF (the cases give other line ends themselves).
std::string record(std::string data, char section, std::string_view sequence) {
    data.resize(72, ' ');
    return data + section + rightAligned(sequence, 7) + "\n";
}

std::string record(std::string data, char section, int sequence) {
    return record(std::move(data), section, std::to_string(sequence));
}

// An IGES file put together entity by entity. Each entity gets a directory entry
// (type in columns 1 to 8, level in 33 to 40) and its parameter lines (data in
// columns 1 to 64, the directory pointer in 65 to 72).
class IgesFile {
public:
    // Adds an entity whose record is `lines`; gives its directory sequence number.
    // `matrix`: the sequence number of its transformation matrix, 0 for none.
    int add(int type, std::string_view level, std::initializer_list<std::string_view> lines,
            int matrix = 0) {
        const int sequence = m_directoryLines + 1;
        const std::string t = rightAligned(std::to_string(type), 8);
        m_directory += record(t + rightAligned(std::to_string(m_parameterLines + 1), 8) +
                                  std::string(16, ' ') + rightAligned(level, 8) +
                                  std::string(8, ' ') + rightAligned(std::to_string(matrix), 8),
                              'D', sequence);
        m_directory += record(t, 'D', sequence + 1);
        m_directoryLines += 2;
        for (std::string_view line : lines) {
            addParameterLine(line, sequence);
        }
        return sequence;
    }

    void addParameterLine(std::string_view data, int pointer) {
        std::string columns(data);
        columns.resize(64, ' ');
        m_parameters +=
            record(columns + rightAligned(std::to_string(pointer), 8), 'P', ++m_parameterLines);
    }

    std::string text() const {
        return record("", 'S', 1) + record("1H,,1H;,4Htest;", 'G', 1) + m_directory + m_parameters +
               record("S      1G      1", 'T', 1);
    }

    std::string directory() const { return m_directory; }
    std::string parameters() const { return m_parameters; }

private:
    std::string m_directory;
    std::string m_parameters;
    int m_directoryLines = 0;
    int m_parameterLines = 0;
};

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

std::string program(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

struct ConversionCase {
    const char* name;
    std::string iges;
    std::string expected;
};

// Every case must give the same program from CR LF, LF and CR-only text.
class IgesConversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(IgesConversion, WritesTheProgram) {
    const ConversionCase& c = GetParam();
    for (std::string_view eol : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(eol == "\r\n" ? "CR LF" : eol == "\n" ? "LF" : "CR");
        const auto result = igesToGcode(withEnds(c.iges, eol));
        ASSERT_TRUE(result.ok()) << result.failure().number << " " << result.failure().description;
        EXPECT_EQ(result.value(), c.expected);
    }
}

std::string oneOfEach() {
    IgesFile f;
    f.add(110, "1", {"110,0.,0.,0.,10.,0.,0.;"});
    f.add(116, "2", {"116,5.,5.,0.,0;"});
    f.add(100, "1", {"100,0.,0.,0.,10.,0.,0.,10.;"});
    return f.text();
}

std::string othersAround() {
    IgesFile f;
    f.add(124, "0", {"124,1.,0.,0.,10.,0.,1.,0.,10.,0.,0.,1.,0.;"});
    // A spline whose later lines start like a line, an arc and a point record.
    f.add(126, "3",
          {"126,1,1,0,0,1,0,0.,0.,1.,1.,", "110,0.,0.,0.,", "100.,0.,0.,", "116,0.,1.,0.;"});
    f.add(110, "3", {"110,1.,2.,3.,4.,5.,6.;"});
    f.add(402, "0", {"402,1,5;"});
    f.add(212, "0", {"212,1,4,1.,1.,1,0.,0.,0.,0.,0.,4HTEXT;"});
    return f.text();
}

std::string spreadOverLines() {
    IgesFile f;
    // The pointer and sequence columns of each line would read as numbers if they
    // were joined with the data.
    f.add(100, "7", {"100,", "0.,1.5,2.5,", "11.5,2.5,", "1.5,12.5;"});
    return f.text();
}

// Ten lines, more numbers than a line needs.
std::string beyondEightLines() {
    IgesFile f;
    f.add(110, "1", {"110,", "1.,", "2.,", "3.,", "4.,", "5.,", "6.,", "7.,", "8.,", "9.;"});
    f.add(116, "1", {"116,3.,4.,0.;"});
    return f.text();
}

std::string numberForms() {
    IgesFile f;
    f.add(110, "0", {"110,1.5D1,-2.5E-1,0.,+1.25d2,.5,0.;"});
    f.add(110, "0", {"110,12.34567,-0.00004,0.,1000000.,99999.03125,0.;"});
    // Defaulted (empty) fields are zero; a point may leave out Z and its pointer.
    f.add(110, "0", {"110,,,,10.,,;"});
    f.add(116, "0", {"116,1.,2.;"});
    return f.text();
}

std::string levels() {
    IgesFile f;
    f.add(116, "", {"116,1.,1.,0.;"});
    f.add(116, "-3", {"116,2.,2.,0.;"});
    f.add(116, "32758", {"116,3.,3.,0.;"});
    f.add(116, "2.5", {"116,4.,4.,0.;"});
    // A level no drawing code can hold on an entity that is not converted.
    f.add(124, "99999999", {"124,1.,0.,0.,0.,0.,1.,0.,0.,0.,0.,1.,0.;"});
    return f.text();
}

// Directory entries numbered far beyond 99,999, as in a file of some 60,000
// entities; only the numbers matter, the entries need not all be there.
std::string largeSequenceNumbers() {
    return record("", 'S', 1) + record("     110       1       0       0       4", 'D', 123457) +
           record("     110", 'D', 123458) +
           record("     116       2       0       0       5", 'D', 9999997) +
           record("     116", 'D', 9999998) +
           record(std::string("110,1.,2.,0.,3.,4.,0.;").append(42, ' ') + "  123457", 'P', 1) +
           record(std::string("116,7.,8.,0.;").append(51, ' ') + " 9999997", 'P', 2);
}

// An old writer that left the sequence columns of its directory blank: the entries
// are numbered by their position.
std::string blankSequenceNumbers() {
    return record("     110       1       0       0       2", 'D', "") +
           record("     110", 'D', "") +
           record("     116       2       0       0       3", 'D', "") +
           record("     116", 'D', "") +
           record(std::string("110,1.,2.,0.,3.,4.,0.;").append(42, ' ') + "       1", 'P', 1) +
           record(std::string("116,7.,8.,0.;").append(51, ' ') + "       3", 'P', 2);
}

// A directory section that lost the second line of its last entry: the parameter
// line after it is still read.
std::string directoryCutShort() {
    return record("     116       1       0       0       6", 'D', 1) +
           record(std::string("116,7.,8.,0.;").append(51, ' ') + "       1", 'P', 1);
}

std::string commentAfterRecord() {
    IgesFile f;
    const int line = f.add(110, "1", {"110,0.,0.,0.,1.,1.,0.;"});
    f.addParameterLine("116,9.,9.,0.;", line);
    return f.text();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IgesConversion,
    testing::Values(
        ConversionCase{"LineArcAndPoint", oneOfEach(),
                       program({"D10", "G00X0.0Y0.0", "G01X10.0Y0.0", "D11", "G81X5.0Y5.0", "D10",
                                "G00X10.0Y0.0", "G03X0.0Y10.0I-10.0J0.0"})},
        ConversionCase{"FullCircleHasEqualEnds",
                       [] {
                           IgesFile f;
                           f.add(100, "0", {"100,0.,3.,4.,8.,4.,8.,4.;"});
                           return f.text();
                       }(),
                       program({"D9", "G00X8.0Y4.0", "G03X8.0Y4.0I-5.0J0.0"})},
        ConversionCase{"OtherEntitiesLeaveNoTrace", othersAround(),
                       program({"D12", "G00X1.0Y2.0", "G01X4.0Y5.0"})},
        ConversionCase{"RecordSpreadOverLines", spreadOverLines(),
                       program({"D16", "G00X11.5Y2.5", "G03X1.5Y12.5I-10.0J0.0"})},
        ConversionCase{"LongRecordLeavesTheNextAlone", beyondEightLines(),
                       program({"D10", "G00X1.0Y2.0", "G01X4.0Y5.0", "D10", "G81X3.0Y4.0"})},
        ConversionCase{"NumberForms", numberForms(),
                       program({"D9", "G00X15.0Y-0.25", "G01X125.0Y0.5", "D9", "G00X12.3457Y0.0",
                                "G01X1000000.0Y99999.0313", "D9", "G00X0.0Y0.0", "G01X10.0Y0.0",
                                "D9", "G81X1.0Y2.0"})},
        ConversionCase{"Levels", levels(),
                       program({"D9", "G81X1.0Y1.0", "D6", "G81X2.0Y2.0", "D32767", "G81X3.0Y3.0",
                                "D11", "G81X4.0Y4.0"})},
        ConversionCase{"SequenceNumbersBeyondTheOldTable", largeSequenceNumbers(),
                       program({"D13", "G00X1.0Y2.0", "G01X3.0Y4.0", "D14", "G81X7.0Y8.0"})},
        ConversionCase{"BlankSequenceNumbers", blankSequenceNumbers(),
                       program({"D11", "G00X1.0Y2.0", "G01X3.0Y4.0", "D12", "G81X7.0Y8.0"})},
        ConversionCase{"DirectoryCutShort", directoryCutShort(), program({"D15", "G81X7.0Y8.0"})},
        ConversionCase{"LineAfterTheRecordEnd", commentAfterRecord(),
                       program({"D10", "G00X0.0Y0.0", "G01X1.0Y1.0"})},
        // Text with "P" or "D" in column 73 that only looks like records.
        ConversionCase{"NotIges",
                       "G00X1.Y1.\nG01X2.Y2.\n" + std::string(100, 'P') + "\n" +
                           std::string(100, 'D') + "\n" + std::string(72, '1') + "P\n",
                       ""},
        ConversionCase{"NoEntities", IgesFile().text(), ""}),
    [](const testing::TestParamInfo<ConversionCase>& info) { return info.param.name; });

struct FailureCase {
    const char* name;
    std::string iges;
    int number;
};

class IgesFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(IgesFailure, GivesNoProgram) {
    const FailureCase& c = GetParam();
    const auto result = igesToGcode(c.iges);
    ASSERT_FALSE(result.ok()) << result.value();
    EXPECT_EQ(result.failure().number, c.number) << result.failure().description;
    EXPECT_FALSE(result.failure().description.empty());
}

std::string withOne(int type, std::string_view level,
                    std::initializer_list<std::string_view> lines) {
    IgesFile f;
    f.add(116, "0", {"116,0.,0.,0.;"});
    f.add(type, level, lines);
    return f.text();
}

// The text of a file cut after `bytes` bytes of its parameter section.
std::string cutInParameters(std::size_t bytes) {
    IgesFile f;
    f.add(110, "0", {"110,1.,2.,3.,", "4.,5.,6.;"});
    return f.directory() + f.parameters().substr(0, bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IgesFailure,
    testing::Values(
        FailureCase{"PointerToNoEntry",
                    [] {
                        IgesFile f;
                        f.add(110, "1", {"110,0.,0.,0.,1.,1.,0.;"});
                        f.addParameterLine("116,1.,1.,0.;", 41);
                        return f.text();
                    }(),
                    9},
        FailureCase{"PointerToSecondDirectoryLine",
                    [] {
                        IgesFile f;
                        f.add(110, "1", {"110,0.,0.,0.,1.,1.,0.;"});
                        f.addParameterLine("116,1.,1.,0.;", 2);
                        return f.text();
                    }(),
                    9},
        FailureCase{"PointerMissing",
                    record("     116       1       0       0       1", 'D', 1) +
                        record("     116", 'D', 2) + record("116,1.,1.,0.;", 'P', 1),
                    9},
        FailureCase{"SequenceNumberNotWhole",
                    record("     116       1       0       0       1", 'D', "1.5") +
                        record("     116", 'D', 2) +
                        record(std::string("116,7.,8.,0.;").append(51, ' ') + "       1", 'P', 1),
                    9},
        FailureCase{"ShortLine", withOne(110, "0", {"110,1.,2.,3.,4.;"}), 62},
        FailureCase{"ShortArc", withOne(100, "0", {"100,0.,0.,0.,1.,0.,0.;"}), 62},
        FailureCase{"PointWithoutY", withOne(116, "0", {"116,1.;"}), 62},
        FailureCase{"RecordWithoutEnd",
                    [] {
                        IgesFile f;
                        f.add(110, "0", {"110,1.,2.,3.,4.,5.,6."});
                        f.add(116, "0", {"116,1.,1.,0.;"});
                        return f.text();
                    }(),
                    62},
        FailureCase{"CutInsideARecord", cutInParameters(82), 62},
        FailureCase{"CutInsideARecordLine", cutInParameters(100), 62},
        FailureCase{"NumberBeyondDouble", withOne(110, "0", {"110,1E999,0.,0.,1.,1.,0.;"}), 6},
        FailureCase{"CentreOffsetBeyondDouble",
                    withOne(100, "0", {"100,0.,1.7E308,0.,-1.7E308,0.,0.,0.;"}), 6},
        FailureCase{"LevelAboveTheHighestCode", withOne(116, "32759", {"116,1.,1.,0.;"}), 6},
        FailureCase{"LevelBelowTheLowestCode", withOne(116, "-32769", {"116,1.,1.,0.;"}), 6},
        FailureCase{"LevelBeyondSingle", withOne(110, "1E39", {"110,0.,0.,0.,1.,1.,0.;"}), 6},
        // A matrix pointer must lead to a whole matrix, and not round in a loop.
        FailureCase{"MatrixPointerToNoMatrix",
                    [] {
                        IgesFile f;
                        f.add(116, "0", {"116,1.,1.,0.;"}, 3);
                        f.add(110, "0", {"110,0.,0.,0.,1.,1.,0.;"});
                        return f.text();
                    }(),
                    9},
        FailureCase{"MatricesInALoop",
                    [] {
                        IgesFile f;
                        f.add(116, "0", {"116,1.,1.,0.;"}, 3);
                        f.add(124, "0", {"124,1.,0.,0.,0.,0.,1.,0.,0.,0.,0.,1.,0.;"}, 5);
                        f.add(124, "0", {"124,1.,0.,0.,0.,0.,1.,0.,0.,0.,0.,1.,0.;"}, 3);
                        return f.text();
                    }(),
                    9},
        FailureCase{"MatrixCutShort",
                    [] {
                        IgesFile f;
                        f.add(116, "0", {"116,1.,1.,0.;"}, 3);
                        f.add(124, "0", {"124,1.,0.,0.,0.,0.,1.;"});
                        return f.text();
                    }(),
                    62}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

// The global section's unit and model space scale, with strings that hold the
// delimiters and other delimiters than "," and ";".
TEST(IgesToGcode, GlobalUnitAndScale) {
    struct Case {
        const char* global;
        const char* point;
    };
    const Case cases[] = {
        {"1H,,1H;,6Ha,b;c.,4Hf.ig,,,,,,,,,1.,2,2HMM;", "G81X1.0Y-2.0"},
        {"1H,,1H;,6Ha,b;c.,4Hf.ig,,,,,,,,,1.,1,2HIN;", "G81X25.4Y-50.8"},
        {"1H,,1H;,6Ha,b;c.,4Hf.ig,,,,,,,,,2.,6,1HM;", "G81X500.0Y-1000.0"},
        {"1H//1H#/6Ha,b;c./4Hf.ig/////////1./3/2HCM#", "G81X10.0Y-20.0"},
        {",,6Ha,b;c.,4Hf.ig,,,,,,,,,,3,4HINCH;", "G81X25.4Y-50.8"},
        // Nothing said, or nothing we know: the numbers as they stand.
        {",,;", "G81X1.0Y-2.0"},
        {",,6Ha,b;c.,4Hf.ig,,,,,,,,,1.,3,2HZZ;", "G81X1.0Y-2.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.global);
        IgesFile f;
        f.add(116, "0", {"116,1.,-2.,0.;"});
        std::string text = f.text();
        const std::string defaultGlobal = record("1H,,1H;,4Htest;", 'G', 1);
        text.replace(text.find(defaultGlobal), defaultGlobal.size(), record(c.global, 'G', 1));
        const auto result = igesToGcode(text);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.value(), program({"D9", c.point}));
    }
}

TEST(IgesToGcode, RecordsAreKeptTwoLinesPerEntity) {
    IgesFile f;
    f.add(124, "0", {"124,1.,0.,0.,0.,0.,1.,0.,0.,0.,0.,1.,0.;"});
    f.add(100, "7", {"100,0.,1.5,2.5,", "11.5,2.5,1.5,12.5;"});
    f.add(116, "2.5", {"116,5.,5.,0.,0;  "});
    f.add(110, "0", {"110,1.,2.;"});  // too short: what was read stays
    std::string records;
    IgesImportOptions options;
    options.records = &records;
    EXPECT_FALSE(igesToGcode(f.text(), options).ok());
    EXPECT_EQ(records, program({"7", "100,0.,1.5,2.5,11.5,2.5,1.5,12.5;", "2.5", "116,5.,5.,0.,0;",
                                "0", "110,1.,2.;"}));
}

TEST(IgesToGcode, TellsProgressOnLargeFiles) {
    IgesFile f;
    for (int i = 0; i < 20000; ++i) {
        f.add(116, "1", {"116,1.,2.,0.;"});
    }
    int calls = 0;
    IgesImportOptions options;
    options.progress = [&calls] { ++calls; };
    const auto result = igesToGcode(f.text(), options);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.value().size(), 20000 * std::string("D10\r\nG81X1.0Y2.0\r\n").size());
    EXPECT_GE(calls, 3);
}

// Bytes that are no IGES at all, and IGES with its columns torn apart, end in a
// program or a failure, never anywhere else.
TEST(IgesToGcode, SurvivesArbitraryBytes) {
    std::mt19937 random(7);
    const std::string valid = oneOfEach();
    for (int round = 0; round < 300; ++round) {
        std::string text = valid;
        for (int k = 0; k < 20; ++k) {
            const std::size_t at = random() % text.size();
            text[at] = static_cast<char>("PD;,.-E1 \n\r"[random() % 11]);
        }
        if (round % 3 == 0) {
            text.resize(random() % text.size());
        }
        const auto result = igesToGcode(text);
        if (result.ok()) {
            EXPECT_EQ(result.value().find("Inf"), std::string::npos);
            EXPECT_EQ(result.value().find("NaN"), std::string::npos);
        }
    }
}

// ---------------------------------------------------------------------------
// Round trip: a program written as IGES by the export and read back gives the
// same lines, arcs and points. The export writes each G02 from its end point to
// its start, so it comes back as the counter-clockwise G03 over the same arc.

struct Entity {
    std::string code;  // "D" line
    std::string word;  // G01, G03 or G81
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0, i = 0, j = 0;
};

double wordOf(const std::string& line, char letter) {
    const std::size_t at = line.find(letter);
    return at == std::string::npos ? 0.0 : std::atof(line.c_str() + at + 1);
}

// The entities of an imported program: "D" line, then G00 and G01/G03, or G81.
std::vector<Entity> importedEntities(const std::string& gcode) {
    std::vector<Entity> out;
    std::istringstream in(gcode);
    std::string line;
    while (std::getline(in, line)) {
        line.erase(line.find_last_not_of("\r") + 1);
        if (line.empty()) {
            continue;
        }
        if (line[0] == 'D') {
            out.push_back({line, "", 0, 0, 0, 0, 0, 0});
        } else if (line.compare(0, 3, "G00") == 0) {
            out.back().x0 = wordOf(line, 'X');
            out.back().y0 = wordOf(line, 'Y');
        } else {
            Entity& e = out.back();
            e.word = line.substr(0, 3);
            e.x1 = wordOf(line, 'X');
            e.y1 = wordOf(line, 'Y');
            e.i = wordOf(line, 'I');
            e.j = wordOf(line, 'J');
        }
    }
    return out;
}

// A program of sections, lines, arcs both ways and drill points with three
// decimals, and the entities it must come back as.
void makeProgram(std::mt19937& random, std::string& gcode, std::vector<Entity>& expected) {
    std::uniform_real_distribution<double> coordinate(-500, 500);
    auto three = [](double v) { return std::round(v * 1000) / 1000; };
    auto text = [](double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.3f", v);
        return std::string(buf);
    };
    int level = 0;
    double x = 0, y = 0;
    gcode = "%\r\n";  // the first section line
    for (int n = 0; n < 400; ++n) {
        const unsigned kind = random() % 10;
        if (kind == 0) {
            gcode += "(LAYER" + std::to_string(++level) + ")\r\n";
            continue;
        }
        const double nx = three(coordinate(random));
        const double ny = three(coordinate(random));
        const std::string code = "D" + std::to_string(level + 1 + 9);
        if (kind == 1) {
            gcode += "G00X" + text(nx) + "Y" + text(ny) + "\r\n";
        } else if (kind == 2) {
            gcode += "G81X" + text(nx) + "Y" + text(ny) + "\r\n";
            expected.push_back({code, "G81", 0, 0, nx, ny, 0, 0});
        } else if (kind <= 6) {
            gcode += "G01X" + text(nx) + "Y" + text(ny) + "\r\n";
            expected.push_back({code, "G01", x, y, nx, ny, 0, 0});
        } else {
            // The centre halfway, so that both ends lie on the circle.
            const double ci = three((nx - x) / 2);
            const double cj = three((ny - y) / 2);
            const bool clockwise = kind % 2 == 0;
            gcode += std::string(clockwise ? "G02" : "G03") + "X" + text(nx) + "Y" + text(ny) +
                     "I" + text(ci) + "J" + text(cj) + "\r\n";
            if (clockwise) {
                expected.push_back({code, "G03", nx, ny, x, y, x + ci - nx, y + cj - ny});
            } else {
                expected.push_back({code, "G03", x, y, nx, ny, ci, cj});
            }
        }
        x = nx;
        y = ny;
    }
}

TEST(IgesToGcode, ComesBackFromOurOwnExport) {
    std::mt19937 random(2024);
    std::string gcode;
    std::vector<Entity> expected;
    makeProgram(random, gcode, expected);
    talmir::exporters::IgesOptions exportOptions;
    exportOptions.caption = "roundtrip";
    exportOptions.date = "20240102";
    exportOptions.time = "030405";
    const auto iges = talmir::exporters::gcodeToIges(gcode, exportOptions);
    ASSERT_TRUE(iges.ok()) << iges.failure().description;
    const auto back = igesToGcode(iges.value());
    ASSERT_TRUE(back.ok()) << back.failure().description;

    const std::vector<Entity> got = importedEntities(back.value());
    ASSERT_EQ(got.size(), expected.size());
    // The export holds words in single precision and both sides write four
    // decimals; the centre is a sum of two such values.
    const double tolerance = 2e-4;
    for (std::size_t n = 0; n < got.size(); ++n) {
        SCOPED_TRACE("entity " + std::to_string(n));
        const Entity& e = expected[n];
        const Entity& g = got[n];
        EXPECT_EQ(g.code, e.code);
        EXPECT_EQ(g.word, e.word);
        EXPECT_NEAR(g.x1, e.x1, tolerance);
        EXPECT_NEAR(g.y1, e.y1, tolerance);
        if (e.word != "G81") {
            EXPECT_NEAR(g.x0, e.x0, tolerance);
            EXPECT_NEAR(g.y0, e.y0, tolerance);
        }
        EXPECT_NEAR(g.i, e.i, tolerance);
        EXPECT_NEAR(g.j, e.j, tolerance);
    }
}

// ---------------------------------------------------------------------------
// Real files from other writers (skipped when the shared corpus is absent).

namespace fs = std::filesystem;

fs::path corpusDir() {
    const char* env = std::getenv("TALMIR_SHARED");
    return fs::path(env ? env : TALMIR_SHARED_DIR) / "corpus" / "iges";
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Arcs, lines and points counted from the directory alone: the first line of each
// entry names its type.
std::size_t directoryCount(const std::string& iges) {
    std::size_t count = 0;
    bool first = true;
    std::istringstream in(iges);
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 73 || line[72] != 'D') {
            continue;
        }
        if (first) {
            const int type = std::atoi(line.substr(0, 8).c_str());
            count += type == 100 || type == 110 || type == 116;
        }
        first = !first;
    }
    return count;
}

TEST(IgesCorpus, EveryArcLineAndPointArrives) {
    if (!fs::is_directory(corpusDir())) {
        GTEST_SKIP() << "no IGES corpus at " << corpusDir();
    }
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(corpusDir())) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".igs" && ext != ".iges") {
            continue;
        }
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        const std::string iges = readFile(entry.path());
        const auto result = igesToGcode(iges);
        ASSERT_TRUE(result.ok()) << result.failure().number << " " << result.failure().description;
        const std::vector<Entity> got = importedEntities(result.value());
        EXPECT_EQ(got.size(), directoryCount(iges));
        for (const Entity& e : got) {
            // G02: an arc whose matrix mirrors it.
            EXPECT_TRUE(e.word == "G01" || e.word == "G02" || e.word == "G03" || e.word == "G81")
                << e.word;
        }
    }
    EXPECT_GT(files, 0u);
}

// The Open CASCADE file holds every kind of ours on level 0; its circles are
// centred at the origin and moved to (10, 10) and (30, 10) by matrices.
TEST(IgesCorpus, OpenCascadeWireframeAsWritten) {
    const fs::path path = corpusDir() / "occt76_wireframe_lines_arcs_points_124.igs";
    if (!fs::exists(path)) {
        GTEST_SKIP() << "missing " << path;
    }
    const auto result = igesToGcode(readFile(path));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.value(), program({"D9",
                                       "G00X0.0Y0.0",
                                       "G01X40.0Y0.0",
                                       "D9",
                                       "G00X40.0Y0.0",
                                       "G01X40.0Y20.0",
                                       "D9",
                                       "G00X40.0Y20.0",
                                       "G01X0.0Y20.0",
                                       "D9",
                                       "G00X0.0Y20.0",
                                       "G01X0.0Y0.0",
                                       "D9",
                                       "G00X15.0Y10.0",
                                       "G03X15.0Y10.0I-5.0J0.0",
                                       "D9",
                                       "G00X38.0Y10.0",
                                       "G03X30.0Y18.0I-8.0J0.0",
                                       "D9",
                                       "G81X10.0Y10.0",
                                       "D9",
                                       "G81X30.0Y10.0",
                                       "D9",
                                       "G81X35.0Y15.0"}));
}

}  // namespace
