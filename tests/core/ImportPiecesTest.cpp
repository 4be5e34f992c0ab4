// The streaming form of every import gives the bytes of its whole-text form, in
// pieces, and lets go of its input as it reads it. The inputs are large drawings
// made by our own exports of one long program.

#include "core/Pieces.h"
#include "core/export/GcodeToDxf.h"
#include "core/export/GcodeToGerber.h"
#include "core/export/GcodeToHpgl.h"
#include "core/export/GcodeToIges.h"
#include "core/import/DrillToHoles.h"
#include "core/import/DxfCirclesToHoles.h"
#include "core/import/DxfToGcode.h"
#include "core/import/GerberToGcode.h"
#include "core/import/HpglToGcode.h"
#include "core/import/IgesToGcode.h"
#include "core/import/RouterToGcode.h"
#include "core/import/WirFmt.h"
#include "core/import/WireToGcode.h"
#include "core/import/WireToMilling.h"

#include "support/GeneratedGcode.h"
#include "support/PlacingSink.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace talmir {
namespace {

using PlacingSink = testing::PlacingSink<>;

// Input bytes that note where the conversion said it had read to.
class WatchedInput final : public InputBytes {
public:
    static constexpr std::size_t kStep = std::size_t{1} << 16;
    explicit WatchedInput(std::string_view bytes) : InputBytes(bytes) { releaseEvery(kStep); }
    std::vector<std::size_t> released;

private:
    void release(std::size_t offset) override { released.push_back(offset); }
};

// Sections, rapids, lines and arcs both ways, the words wire and router programs
// know too.
std::string program(int lines) {
    testing::GcodeShape shape;
    shape.holes = false;
    shape.xWhole = 397;
    shape.yWhole = 291;
    shape.toolEvery = 4000;
    shape.tools = 9;
    shape.ccwArc = [](const std::string& x, const std::string& y) {
        return "X" + y + "Y" + x + "I-12.5J0.75";
    };
    return testing::generatedGcode(static_cast<std::size_t>(lines), shape);
}

// Circles on seven layers, the holes of seven tools.
std::string circles(int count) {
    std::string d = "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < count; ++i) {
        d += "0\nCIRCLE\n8\nL" + std::to_string(i % 7) + "\n10\n" + std::to_string(i % 499) +
             ".25\n20\n" + std::to_string(i % 311) + ".5\n40\n" + std::to_string(i % 5 + 1) + "\n";
    }
    return d + "0\nENDSEC\n0\nEOF\n";
}

// Drill data where every third block starts a tool: a tool table of more than a
// piece in front of the holes.
std::string drill(int blocks) {
    std::string d = "M48\n";
    for (int i = 0; i < blocks; ++i) {
        d += i % 3 == 0 ? "T" + std::to_string(i % 20 + 1) + "C0." + std::to_string(i % 9 + 1)
                        : "X" + std::to_string(i % 4999) + "Y" + std::to_string(i % 311);
        d += "\n";
    }
    return d + "M30\n";
}

std::string exported(Result<std::string> result) {
    EXPECT_TRUE(result.ok());
    return result.ok() ? std::move(result).value() : std::string();
}

struct Case {
    const char* name;
    std::string input;
    std::function<Result<std::string>(std::string_view)> whole;
    std::function<Result<std::uint64_t>(InputBytes&, PieceSink&)> pieces;
};

std::vector<Case> cases(const std::string& g) {
    using namespace importers;
    const auto always = [](std::uint64_t n) { return Result<std::uint64_t>(n); };
    return {
        {"hpgl", exported(exporters::gcodeToHpgl(g)),
         [](std::string_view t) { return hpglToGcode(t); },
         [](InputBytes& in, PieceSink& s) { return hpglToGcode(in, s); }},
        {"dxf", exported(exporters::gcodeToDxf(g, exporters::DxfOptions{{1, 2}})),
         [](std::string_view t) { return dxfToGcode(t); },
         [](InputBytes& in, PieceSink& s) { return dxfToGcode(in, s); }},
        {"gerber", exported(exporters::gcodeToGerber(g, {})),
         [](std::string_view t) { return gerberToGcode(t); },
         [](InputBytes& in, PieceSink& s) { return gerberToGcode(in, s); }},
        {"iges", exported(exporters::gcodeToIges(g, {"PART", "20240102", "030405"})),
         [](std::string_view t) { return igesToGcode(t); },
         [](InputBytes& in, PieceSink& s) { return igesToGcode(in, s); }},
        {"dxf circles", circles(250000), [](std::string_view t) { return dxfCirclesToHoles(t); },
         [](InputBytes& in, PieceSink& s) { return dxfCirclesToHoles(in, s); }},
        {"drill", drill(360000), [](std::string_view t) { return drillToHoles(t, DrillOptions{}); },
         [](InputBytes& in, PieceSink& s) { return drillToHoles(in, s, DrillOptions{}); }},
        {"router", g, [](std::string_view t) { return routerToGcode(t); },
         [](InputBytes& in, PieceSink& s) { return routerToGcode(in, s); }},
        {"wire", g, [](std::string_view t) { return wireToGcode(t); },
         [](InputBytes& in, PieceSink& s) { return wireToGcode(in, s); }},
        {"wire expanded", g, [](std::string_view t) { return WirFmt(t, {}); },
         [](InputBytes& in, PieceSink& s) { return WirFmt(in, s, {}); }},
        {"wire to milling", g,
         [](std::string_view t) { return Result<std::string>(wireToMilling(t)); },
         [always](InputBytes& in, PieceSink& s) { return always(wireToMilling(in, s)); }},
    };
}

TEST(ImportPieces, PiecesPutTogetherAreTheWholeProgram) {
    for (Case& c : cases(program(90000))) {
        SCOPED_TRACE(c.name);
        const auto whole = c.whole(c.input);
        ASSERT_TRUE(whole.ok()) << whole.failure().description;
        PlacingSink sink;
        WatchedInput input(c.input);
        const auto length = c.pieces(input, sink);
        ASSERT_TRUE(length.ok());
        EXPECT_EQ(length.value(), whole.value().size());
        EXPECT_TRUE(sink.bytes == whole.value());
        EXPECT_GE(sink.pieces, 2);
        // The whole input was let go of, step by step.
        EXPECT_GE(input.released.size(), c.input.size() / WatchedInput::kStep - 1);
    }
}

}  // namespace
}  // namespace talmir
