#include "core/export/ExportSink.h"
#include "core/export/GcodeToDxf.h"
#include "core/export/GcodeToGerber.h"
#include "core/export/GcodeToHpgl.h"
#include "core/export/GcodeToIges.h"
#include "core/export/HolesToDxf.h"
#include "core/export/HolesToGerber.h"
#include "core/export/HolesToIges.h"

#include "support/GeneratedGcode.h"
#include "support/PlacingSink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace talmir::exporters {
namespace {

using PlacingSink = testing::PlacingSink<ExportSink>;

// A program whose exports run to several pieces: section lines, rapids, lines,
// arcs both ways and points, some with long numbers (IGES parameter texts over
// two records).
std::string program(int lines) {
    testing::GcodeShape shape;
    shape.round = 9;
    shape.toolEvery = 2000;
    shape.tools = 1'000'000;
    shape.ccwArc = [](const std::string&, const std::string& y) {
        return "X-123456.789Y-" + y + "I-1234.5678J0.75";
    };
    return testing::generatedGcode(static_cast<std::size_t>(lines), shape);
}

struct Case {
    const char* name;
    std::function<Result<std::string>(const std::string&)> whole;
    std::function<Result<std::uint64_t>(const std::string&, ExportSink&)> pieces;
};

const Case kCases[] = {
    {"dxf",
     [](const std::string& g) {
         return gcodeToDxf(g, DxfOptions{{1, 2}});
     },
     [](const std::string& g, ExportSink& s) {
         return gcodeToDxf(g, DxfOptions{{1, 2}}, s);
     }},
    {"iges",
     [](const std::string& g) {
         return gcodeToIges(g, {"PART", "20240102", "030405"});
     },
     [](const std::string& g, ExportSink& s) {
         return gcodeToIges(g, {"PART", "20240102", "030405"}, s);
     }},
    {"gerber", [](const std::string& g) { return gcodeToGerber(g, {}); },
     [](const std::string& g, ExportSink& s) { return gcodeToGerber(g, {}, s); }},
    {"hpgl", [](const std::string& g) { return gcodeToHpgl(g); },
     [](const std::string& g, ExportSink& s) { return gcodeToHpgl(g, s); }},
};

TEST(ExportSink, PiecesPutTogetherAreTheWholeExport) {
    for (const int lines : {3, 60000}) {
        const std::string gcode = program(lines);
        for (const Case& c : kCases) {
            SCOPED_TRACE(std::string(c.name) + " of " + std::to_string(lines) + " lines");
            const auto whole = c.whole(gcode);
            ASSERT_TRUE(whole.ok());
            PlacingSink sink;
            const auto length = c.pieces(gcode, sink);
            ASSERT_TRUE(length.ok());
            EXPECT_EQ(length.value(), whole.value().size());
            EXPECT_TRUE(sink.bytes == whole.value());
            if (whole.value().size() > 3 * kExportPieceSize) {
                EXPECT_GE(sink.pieces, 3);
            }
        }
    }
}

// Hole data of 20 tools whose exports run to several pieces.
std::string holeData(int holes) {
    std::string h;
    for (int t = 1; t <= 20; ++t) {
        h += "T" + std::to_string(t) + "C0." + std::to_string(t) + "\r\n";
    }
    for (int i = 0; i < holes; ++i) {
        if (i % (holes / 20 + 1) == 0) {
            h += "T" + std::to_string(i / (holes / 20 + 1) + 1) + "\r\n";
        }
        h += "X" + std::to_string(i % 997) + "." + std::to_string(i % 1000) + "Y-" +
             std::to_string(i % 991) + ".5\r\n";
    }
    return h;
}

const Case kHoleCases[] = {
    {"holes dxf",
     [](const std::string& h) {
         return holesToDxf(h, DxfOptions{{1, 2}});
     },
     [](const std::string& h, ExportSink& s) {
         return holesToDxf(h, DxfOptions{{1, 2}}, s);
     }},
    {"holes iges",
     [](const std::string& h) {
         return holesToIges(h, {"PART", "20240102", "030405"});
     },
     [](const std::string& h, ExportSink& s) {
         return holesToIges(h, {"PART", "20240102", "030405"}, s);
     }},
    {"holes gerber", [](const std::string& h) { return holesToGerber(h, {}); },
     [](const std::string& h, ExportSink& s) { return holesToGerber(h, {}, s); }},
};

TEST(ExportSink, HolePiecesPutTogetherAreTheWholeExport) {
    const std::string holes = holeData(60000);
    for (const Case& c : kHoleCases) {
        SCOPED_TRACE(c.name);
        const auto whole = c.whole(holes);
        ASSERT_TRUE(whole.ok());
        PlacingSink sink;
        const auto length = c.pieces(holes, sink);
        ASSERT_TRUE(length.ok());
        EXPECT_EQ(length.value(), whole.value().size());
        EXPECT_TRUE(sink.bytes == whole.value());
        EXPECT_GE(sink.pieces, 2);
    }
}

TEST(ExportSink, FailuresAreTheSameAsWithoutPieces) {
    const std::string overflow = program(60000) + "G01X1E39Y1\r\n";
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto whole = c.whole(overflow);
        PlacingSink sink;
        const auto pieces = c.pieces(overflow, sink);
        ASSERT_EQ(pieces.ok(), whole.ok());
        if (whole.ok()) {
            continue;  // Gerber keeps double precision: no overflow there
        }
        EXPECT_EQ(pieces.failure().number, whole.failure().number);
        EXPECT_EQ(pieces.failure().description, whole.failure().description);
    }
}

// A sink that cannot write ends the export with its failure.
class FullDiskSink final : public ExportSink {
public:
    void put(std::uint64_t, std::string&) override { throw Failure::message("disk full"); }
};

TEST(ExportSink, WriteFailureEndsTheExport) {
    const std::string gcode = program(60000);
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        FullDiskSink sink;
        const auto result = c.pieces(gcode, sink);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.failure().description, "disk full");
    }
}

}  // namespace
}  // namespace talmir::exporters
