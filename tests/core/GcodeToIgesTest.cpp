#include "core/export/GcodeToIges.h"
#include "core/export/IgesRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talmir::exporters {
namespace {

std::vector<std::string> records(const std::string& iges) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < iges.size();) {
        const auto eol = iges.find("\r\n", pos);
        lines.push_back(iges.substr(pos, eol - pos));
        pos = eol == std::string::npos ? iges.size() : eol + 2;
    }
    return lines;
}

// The records of one section letter (column 73).
std::vector<std::string> section(const std::string& iges, char letter) {
    std::vector<std::string> found;
    for (const auto& r : records(iges)) {
        if (r.size() == 80 && r[72] == letter) {
            found.push_back(r);
        }
    }
    return found;
}

std::string convert(const std::string& gcode, const std::string& caption = "PART") {
    const auto iges = gcodeToIges(gcode, IgesOptions{caption, "20240102", "030405"});
    EXPECT_TRUE(iges.ok());
    return iges.ok() ? iges.value() : std::string();
}

std::string trimmed(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

TEST(GcodeToIges, EveryRecordIs80ColumnsWithCrLf) {
    const std::string iges = convert("(T1)\r\nG00X0.Y0.\r\nG01X10.Y0.\r\nG02X20.Y0.I5.J0.\r\nM30");
    ASSERT_EQ(iges.substr(iges.size() - 2), "\r\n");
    for (const auto& r : records(iges)) {
        EXPECT_EQ(r.size(), 80u) << r;
    }
}

TEST(GcodeToIges, ParameterTextsOfTheFourKinds) {
    struct Case {
        const char* name;
        std::string gcode;
        std::string parameters;  // data columns of the first parameter record
        std::string label;
    };
    const Case cases[] = {
        {"line after a rapid", "G00X0.Y0.\r\nG01X10.Y0.", "110,0.0,0.0,0.,10.0,0.0,0.0;", "LINE"},
        {"clockwise arc runs from its end", "G00X10.Y0.\r\nG02X20.Y0.I5.J0.",
         "100,0.,15.0,0.0,20.0,0.0,10.0,0.0;", "ARC"},
        {"counter-clockwise arc", "G00X10.Y0.\r\nG03X20.Y0.I5.J0.",
         "100,0.,15.0,0.0,10.0,0.0,20.0,0.0;", "ARC"},
        {"point", "G81X5.Y-5.", "116,5.0,-5.0,0,0;", "POINT"},
        {"zero-length line", "G01X0Y0", "110,0.0,0.0,0.,0.0,0.0,0.0;", "LINE"},
        {"modal words and single precision", "G00X1.23456Y2.\r\nG01Y3.",
         "110,1.2346,2.0,0.,1.2346,3.0,0.0;", "LINE"},
        {"any G0 code has its words read", "G04X7.\r\nG01X2.", "110,7.0,0.0,0.,2.0,0.0,0.0;",
         "LINE"},
        {"G81 without a leading G0 too", "G81X3.Y4.\r\nG10X5.Y5.", "116,3.0,4.0,0,0;", "POINT"},
        {"coordinates alone move with the last motion word", "G00X1.Y1.\r\nX9.Y9.\r\nG01X2.",
         "110,9.0,9.0,0.,2.0,9.0,0.0;", "LINE"},
        {"lower case and one-digit words of other programs", "g0 x1 y1\r\ng1 x2",
         "110,1.0,1.0,0.,2.0,1.0,0.0;", "LINE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string iges = convert(c.gcode);
        const auto p = section(iges, 'P');
        const auto d = section(iges, 'D');
        ASSERT_EQ(p.size(), 1u);
        ASSERT_EQ(d.size(), 2u);
        EXPECT_EQ(trimmed(p[0].substr(0, 64)), c.parameters);
        EXPECT_EQ(p[0].substr(64), "       1P      1");
        EXPECT_EQ(trimmed(d[1].substr(56, 8)), c.label);
    }
}

TEST(GcodeToIges, DirectoryEntriesAndLevels) {
    // Level 0 before the first section line; every section line raises it, also a
    // repeated one; empty lines and rapids do not.
    const std::string iges =
        convert("G01X1.\r\n(T1)\r\n\r\nG00X0.\r\nG01X2.\r\n(T1)\r\nG81X3.\r\nM30");
    const auto d = section(iges, 'D');
    ASSERT_EQ(d.size(), 6u);
    EXPECT_EQ(d[0],
              "     110       1               1       0               0        00000000D      1");
    EXPECT_EQ(d[1],
              "     110               4       1       0                LINE            D      2");
    EXPECT_EQ(d[2].substr(32, 8), "       1");
    EXPECT_EQ(d[4],
              "     116       3               1       2               0        00000000D      5");
    EXPECT_EQ(section(iges, 'P')[2].substr(64), "       5P      3");
    EXPECT_EQ(section(iges, 'T'), std::vector<std::string>{"S      1G      2D      6P      3" +
                                                           std::string(40, ' ') + "T      1"});
}

TEST(GcodeToIges, GlobalSectionCountsEveryHollerithString) {
    EXPECT_EQ(igesGlobalText("SAMPLE", "20240102", "030405"),
              ",,6HSAMPLE,18HC:\\temp\\SAMPLE.IGS,8HTALMIR_2,,,,,,,10HSAMPLE.IGS,1.000000,2,2HMM,"
              "1,1.000000,15H20240102.030405,0.000100,10000.000000,,,5,0,,;");
    // Counts are bytes: a Shift-JIS caption of two double-byte characters is 4H.
    const std::string caption = "\x82\x66\x83\x52";
    EXPECT_EQ(igesGlobalText(caption, "20240102", "030405").substr(0, 8), ",,4H" + caption);
}

// The places of a global text where a record may end: after a delimiter, before
// one, or inside a Hollerith string after its first byte. A number or a count cut
// there is read as two parameters.
std::vector<bool> breakAllowed(const std::string& text) {
    std::vector<bool> allowed(text.size() + 1, false);
    for (std::size_t i = 0; i < text.size();) {
        std::size_t digits = i;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
            ++digits;
        }
        if (digits > i && digits < text.size() && text[digits] == 'H') {
            const std::size_t length = std::stoul(text.substr(i, digits - i));
            for (std::size_t k = digits + 2; k <= digits + length; ++k) {
                allowed[k] = true;
            }
            i = digits + 1 + length;
        } else {
            i = text.find_first_of(",;", i);
        }
        allowed[i] = true;      // before the delimiter
        allowed[i + 1] = true;  // after it
        ++i;
    }
    return allowed;
}

TEST(GcodeToIges, GlobalRecordsBreakOnlyWhereReadersJoinThem) {
    // ASCII captions of every length up to beyond six records, and Shift-JIS ones
    // ("部品" repeated) whose double-byte characters reach the record ends.
    std::vector<std::string> captions;
    for (std::size_t n = 0; n <= 200; ++n) {
        captions.push_back(std::string(n, 'A'));
    }
    for (std::size_t n = 1; n <= 40; ++n) {
        std::string sjis;
        for (std::size_t k = 0; k < n; ++k) {
            sjis += k % 2 == 0 ? "\x95\x94" : "\x95\x69";
        }
        captions.push_back(sjis);
    }
    for (const std::string& caption : captions) {
        SCOPED_TRACE(caption.size());
        const std::string text = igesGlobalText(caption, "20240102", "030405");
        const auto allowed = breakAllowed(text);
        std::string joined;
        for (const auto& record : section(convert("G81X1.", caption), 'G')) {
            // Blanks pad a record only before a value that goes to the next one.
            std::string data = record.substr(0, 72);
            data.erase(data.find_last_not_of(' ') + 1);
            if (!joined.empty()) {
                EXPECT_TRUE(allowed[joined.size()])
                    << "record ends inside a value at byte " << joined.size() << " of " << text;
            }
            joined += data;
        }
        EXPECT_EQ(joined, text);  // nothing cut, however long
    }
}

TEST(GcodeToIges, GlobalValuesThatDoNotFitStartTheNextRecord) {
    // With the caption "SAMPLE" "1.000000" ends exactly at column 72 and its comma
    // opens the next record.
    const auto sample = section(convert("G81X1.", "SAMPLE"), 'G');
    ASSERT_EQ(sample.size(), 2u);
    EXPECT_EQ(sample[0].substr(60, 20), "IGS,1.000000G      1");
    EXPECT_EQ(sample[1].substr(0, 3), ",2,");
    // With 31 bytes "1.000000" would be cut after "1.00": it starts record 3.
    const auto cut = section(convert("G81X1.", std::string(31, 'A')), 'G');
    ASSERT_EQ(cut.size(), 4u);
    EXPECT_EQ(cut[1].substr(60, 20), "AAA.IGS,    G      2");
    EXPECT_EQ(cut[2].substr(0, 9), "1.000000,");
    // With "EMPTY" the count of "2HMM" would stand alone at the end of record 1.
    const auto two = section(convert("G81X1.", "EMPTY"), 'G');
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].substr(62, 18), "000000,2, G      1");
    EXPECT_EQ(two[1].substr(0, 5), "2HMM,");
    // 432 bytes and more are no longer cut after six records.
    const std::string iges = convert("G81X1.", std::string(200, 'A'));
    EXPECT_EQ(section(iges, 'G').size(), 11u);
    EXPECT_NE(iges.find("S      1G     11D      2P      1"), std::string::npos);
}

TEST(GcodeToIges, LongParameterTextGoesOnInTheNextRecord) {
    const std::string iges =
        convert("G00X-1234.5678Y-1234.5678\r\nG02X-2234.5678Y-1234.5678I-500.J0.\r\nG81X1.Y1.");
    const auto p = section(iges, 'P');
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(trimmed(p[0].substr(0, 64)) + trimmed(p[1].substr(0, 64)),
              "100,0.,-1734.5677,-1234.5677,-2234.5679,-1234.5677,-1234.5677,-1234.5677;");
    EXPECT_EQ(p[0][p[0].find_last_not_of(' ', 63)], ',');
    EXPECT_EQ(p[1].substr(64), "       1P      2");
    const auto d = section(iges, 'D');
    EXPECT_EQ(d[1].substr(24, 8), "       2");  // parameter record count
    EXPECT_EQ(d[2].substr(8, 8), "       3");   // the point starts at record 3
    EXPECT_EQ(p[2].substr(64), "       3P      3");
    EXPECT_NE(iges.find("D      4P      3"), std::string::npos);
}

TEST(GcodeToIges, ProgramWithoutEntitiesGivesTheEmptyFrame) {
    const std::string iges = convert("%\r\nG00X1.\r\nM30");
    EXPECT_TRUE(section(iges, 'D').empty());
    EXPECT_EQ(section(iges, 'T')[0].substr(0, 32), "S      1G      2D      0P      0");
}

TEST(GcodeToIges, OverflowFails) {
    const auto iges = gcodeToIges("G01X1E39", IgesOptions{"A", "20240102", "030405"});
    ASSERT_FALSE(iges.ok());
    EXPECT_EQ(iges.failure().number, 6);
}

}  // namespace
}  // namespace talmir::exporters

namespace talmir::exporters {
namespace {

TEST(IgesWriter, AnnouncedEntityCountOnlySizesTheDirectory) {
    auto write = [](std::size_t announced) {
        IgesWriter iges("A", "20240102", "030405", announced);
        iges.add(110, 0, "LINE    ", "110,0.0,0.0,0.,1.0,0.0,0.0;");
        iges.add(116, 3, "POINT   ", "116,1.0,1.0,0,0;");
        return std::move(iges).finish();
    };
    const std::string exact = write(2);
    EXPECT_EQ(write(0), exact);
    EXPECT_EQ(write(1), exact);
    EXPECT_EQ(write(5), exact);
    EXPECT_EQ(section(exact, 'D').size(), 4u);
}

}  // namespace
}  // namespace talmir::exporters
