// The G81 conversions: which lines drill, the turtle's directions, that every
// contour stays inside the outline asked for and closes, and a real drilling
// program of another CAM system read hole for hole.
#include "core/export/DrillCycle.h"
#include "core/export/G81ToContours.h"
#include "core/export/G81ToHoles.h"
#include "core/graphic/Turtle.h"
#include "core/text/Lines.h"
#include "core/text/NumericValue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace talmir;
using namespace talmir::exporters;

namespace {

TEST(DrillCycle, ClassifiesLines) {
    struct LineCase {
        const char* line;
        bool g81;
        bool ends;
        bool xyOnly;
    };
    const LineCase cases[] = {
        {"G81X10.Y20.", true, false, false},
        {"G81 R5. Z-2.5 F1000. X1.2 Y1.", true, false, false},
        {"G98G81R1.Z-3.", true, false, false},
        {"(G81 DRILL)", false, false, false},  // a comment names the cycle
        {"G00Z5.;G81", false, true, false},
        {"G810X1.", false, false, false},
        {"G81.1", false, false, false},
        {"G80", false, true, false},
        {"G0 Z5.", false, true, false},
        {"G01X1.Y1.", false, true, false},
        {"G03X1.Y1.I1.J0.", false, true, false},
        {"G83 R1. Z-3. Q.5", false, true, false},
        {"G04 P1.", false, false, false},
        {"G90", false, false, false},
        {"X12.555 Y8.945", false, false, true},
        {"Y3.", false, false, true},
        {"X1000Y-500", false, false, true},
        {"X1.Y2.Z-1.", false, false, false},
        {"N10X1.Y2.", false, false, false},
        {"", false, false, false},
        {"M30", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(hasG81Word(c.line), c.g81);
        EXPECT_EQ(endsDrillCycle(c.line), c.ends);
        EXPECT_EQ(isXyOnlyLine(c.line), c.xyOnly);
    }
}

graphic::Turtle::Offset stepOf(float directionDeg, float turnDeg) {
    std::string out;
    return graphic::Turtle(out, 0, 0, turnDeg).offset(1, directionDeg);
}

// Directions are whole degrees, halves to the even one, modulo 360.
TEST(Turtle, RoundsDirectionsToWholeDegrees) {
    struct TurnCase {
        float direction;
        float turn;
        float same;  // the direction (with no turn) it must step like
    };
    const TurnCase cases[] = {{0, 12.5f, 12},  {0, 13.5f, 14}, {0, 12.6f, 13},   {270, 180, 90},
                              {90, -0.5f, 90}, {0, 359.5f, 0}, {180, 0.49f, 180}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.direction << " + " << c.turn);
        const auto got = stepOf(c.direction, c.turn);
        const auto want = stepOf(c.same, 0);
        EXPECT_FLOAT_EQ(got.dx, want.dx);
        EXPECT_FLOAT_EQ(got.dy, want.dy);
    }
    const auto up = stepOf(90, 0);
    EXPECT_NEAR(up.dx, 0, 1e-7);
    EXPECT_FLOAT_EQ(up.dy, 1);
}

// The points a contour reaches: its end points and, for an arc, the box of its
// whole circle (every arc here is a half circle of a slot's end).
struct Pass {
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    double startX = 0, startY = 0, endX = 0, endY = 0;
    void add(double x0, double x1, double y0, double y1) {
        minX = std::min(minX, x0);
        maxX = std::max(maxX, x1);
        minY = std::min(minY, y0);
        maxY = std::max(maxY, y1);
    }
};

double word(std::string_view line, char letter) {
    const auto at = line.find(letter);
    return at == std::string_view::npos ? 0.0 : text::numericValue(line.substr(at + 1));
}

// The passes of a converted hole at (cx, cy): each from its rapid move off the
// centre to the last cut before the rapid move back.
std::vector<Pass> passesOf(const std::string& contour, double cx, double cy) {
    std::vector<Pass> passes;
    text::LineReader reader(contour);
    double x = 0, y = 0;
    for (std::string_view line; reader.next(line);) {
        const double nx = word(line, 'X');
        const double ny = word(line, 'Y');
        const bool atCentre = std::abs(nx - cx) < 1e-4 && std::abs(ny - cy) < 1e-4;
        if (line.rfind("G00", 0) == 0 && !atCentre) {
            passes.emplace_back();
            passes.back().startX = nx;
            passes.back().startY = ny;
        } else if (!passes.empty() && line.rfind("G01", 0) == 0) {
            passes.back().add(nx, nx, ny, ny);
        } else if (!passes.empty() && line.rfind("G02", 0) == 0) {
            const double ox = x + word(line, 'I');
            const double oy = y + word(line, 'J');
            const double r = std::hypot(word(line, 'I'), word(line, 'J'));
            passes.back().add(ox - r, ox + r, oy - r, oy + r);
        }
        if (!passes.empty() && line.rfind("G00", 0) != 0) {
            passes.back().endX = nx;
            passes.back().endY = ny;
        }
        x = nx;
        y = ny;
    }
    return passes;
}

struct ContourCase {
    G81Shape shape;
    float xSize;
    float ySize;
    float fill;
};

class G81Contour : public testing::TestWithParam<ContourCase> {};

// Every pass closes and stays inside the outline; the first pass is the outline
// itself, in X and in Y, and each further one lies inside the one before.
TEST_P(G81Contour, StaysInsideTheOutlineAndCloses) {
    const ContourCase& c = GetParam();
    G81ContourOptions options{c.shape, c.xSize, c.ySize, c.fill, 0};
    const auto converted = g81Contours("(T1)", "G81X10.Y5.", options);
    ASSERT_TRUE(converted);
    const auto passes = passesOf(converted.value(), 10, 5);
    ASSERT_FALSE(passes.empty());
    if (c.fill <= 0) {
        EXPECT_EQ(passes.size(), 1u);
    }
    const double a = c.xSize / 2.0;
    const double b = c.ySize / 2.0;
    constexpr double kSlack = 1e-4;
    for (std::size_t k = 0; k < passes.size(); ++k) {
        SCOPED_TRACE(k);
        const Pass& p = passes[k];
        EXPECT_GE(p.minX, 10 - a - kSlack);
        EXPECT_LE(p.maxX, 10 + a + kSlack);
        EXPECT_GE(p.minY, 5 - b - kSlack);
        EXPECT_LE(p.maxY, 5 + b + kSlack);
        EXPECT_NEAR(p.endX, p.startX, kSlack);
        EXPECT_NEAR(p.endY, p.startY, kSlack);
        const double shrink = c.fill * static_cast<double>(k);
        EXPECT_NEAR(p.maxX - p.minX, c.xSize - 2 * shrink, kSlack);
        EXPECT_NEAR(p.maxY - p.minY, c.ySize - 2 * shrink, kSlack);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, G81Contour,
    testing::Values(
        ContourCase{G81Shape::Round, 4, 2, 0}, ContourCase{G81Shape::Round, 2, 4, 0},
        ContourCase{G81Shape::Round, 2, 2, 0}, ContourCase{G81Shape::Round, 4, 2, 0.3f},
        ContourCase{G81Shape::Round, 2, 2, 0.25f}, ContourCase{G81Shape::Round, 1, 3, 0.2f},
        ContourCase{G81Shape::Square, 4, 2, 0}, ContourCase{G81Shape::Square, 2, 2, 0.3f},
        ContourCase{G81Shape::Square, 2, 5, 0.4f}, ContourCase{G81Shape::Square, 3, 1, 0.5f}),
    [](const auto& info) {
        const ContourCase& c = info.param;
        auto n = [](float v) { return std::to_string(static_cast<int>(std::lround(v * 100))); };
        return std::string(c.shape == G81Shape::Round ? "Round" : "Square") + n(c.xSize) + "x" +
               n(c.ySize) + "Fill" + n(c.fill);
    });

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// The holes of hole data, per tool in order: X and Y of every coordinate line.
std::vector<std::vector<std::pair<double, double>>> holesPerTool(const std::string& holes) {
    std::vector<std::vector<std::pair<double, double>>> tools;
    text::LineReader reader(holes);
    for (std::string_view line; reader.next(line);) {
        if (line.find('C') != std::string_view::npos || line.find('%') != std::string_view::npos ||
            line.find(';') != std::string_view::npos) {
            continue;
        }
        if (line.find('T') == 0) {
            tools.emplace_back();
        } else if (!tools.empty() && line.find('X') == 0) {
            tools.back().emplace_back(word(line, 'X'), word(line, 'Y'));
        }
    }
    return tools;
}

// pcb2gcode writes the holes of one tool as a G81 line and lines of X and Y: its
// drill file of a board has the same 20 holes as the board's Excellon file, shifted.
TEST(G81Corpus, DrillProgramOfAnotherCamGivesEveryHole) {
    const char* env = std::getenv("TALMIR_SHARED");
    const std::filesystem::path corpus =
        std::filesystem::path(env ? env : TALMIR_SHARED_DIR) / "corpus";
    const auto program = corpus / "gcode" / "pcb2gcode_D1MiniGSR_drill_g81.ngc";
    const auto excellon = corpus / "excellon" / "kicad5_D1MiniGSR-PTH_metric_decimal.drl";
    if (!std::filesystem::exists(program) || !std::filesystem::exists(excellon)) {
        GTEST_SKIP() << "no corpus at " << corpus;
    }
    const auto holes = g81ProgramToHoles(readFile(program), [](std::size_t row, std::string_view) {
        return defaultG81ToolRow(row);
    });
    ASSERT_TRUE(holes) << holes.failure().description;
    auto ours = holesPerTool(holes.value());
    auto theirs = holesPerTool(readFile(excellon));
    theirs.pop_back();  // "T0" unloads the drill
    ASSERT_EQ(ours.size(), 2u);
    ASSERT_EQ(theirs.size(), 2u);
    std::size_t count = 0;
    const double dx = ours[0][0].first - theirs[0][0].first;
    const double dy = ours[0][0].second - theirs[0][0].second;
    for (std::size_t t = 0; t < ours.size(); ++t) {
        ASSERT_EQ(ours[t].size(), theirs[t].size());
        for (auto& [x, y] : theirs[t]) {
            x += dx;
            y += dy;
        }
        auto near = [](auto p, auto q) {
            return std::abs(p.first - q.first) < 1e-6 ? p.second < q.second - 1e-6
                                                      : p.first < q.first;
        };
        std::sort(ours[t].begin(), ours[t].end(), near);
        std::sort(theirs[t].begin(), theirs[t].end(), near);
        for (std::size_t k = 0; k < ours[t].size(); ++k) {
            EXPECT_NEAR(ours[t][k].first, theirs[t][k].first, 1e-6);
            EXPECT_NEAR(ours[t][k].second, theirs[t][k].second, 1e-6);
        }
        count += ours[t].size();
    }
    EXPECT_EQ(count, 20u);
}

}  // namespace
