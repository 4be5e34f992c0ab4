#include "core/graphic/GrSub.h"
#include "core/graphic/PictureGcode.h"
#include "core/graphic/PlotScanner.h"
#include "core/graphic/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <numbers>
#include <string>

namespace talmir::graphic {
namespace {

constexpr double kPi = std::numbers::pi;
using Kind = PrimitiveKind;

// A scanned program drawn once, fitted to the data unless a view is given.
struct Drawn {
    PlotTables tables;
    ColourTable colours;
    PlotView view;
    PickList picks;
    RecordingCanvas canvas{1000, 1000};
    int state = 0;

    explicit Drawn(std::string_view gcode, std::string_view holes = {}) {
        scanPlotTables(tables, {holes.empty() ? std::nullopt : std::optional(holes),
                                gcode.empty() ? std::nullopt : std::optional(gcode)});
        fitView(view, tables);
    }
    Drawn& draw(const DrawOptions& options = {}) {
        state = GrSub(canvas, tables, colours, view, options, picks);
        return *this;
    }
    std::vector<Primitive> of(Kind kind) const { return canvas.ofKind(kind); }
};

TEST(GrSub, EmptyModelDrawsBackgroundAndReferenceLinesOnly) {
    Drawn d("");
    DrawOptions options;
    options.referenceLines = true;
    d.draw(options);
    const auto& all = d.canvas.primitives();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].kind, Kind::Clear);
    EXPECT_EQ(all[0].colour, kBlack);
    for (const Primitive& p : {all[1], all[2]}) {
        EXPECT_EQ(p.kind, Kind::Line);
        EXPECT_EQ(p.colour, kRed);
        EXPECT_EQ(p.style, PenStyle::DashDot);
    }
    EXPECT_EQ(all[1].points[0].y, 0);
    EXPECT_EQ(all[2].points[0].x, 0);
    EXPECT_EQ(d.picks.PickCount, 0);
}

struct ArcCase {
    const char* name;
    const char* gcode;
    double fromRad;
    double toRad;
    double radius;
};

class GrSubArcTest : public testing::TestWithParam<ArcCase> {};

TEST_P(GrSubArcTest, DrawsCounterClockwiseFromTheRightAngle) {
    Drawn d(GetParam().gcode);
    d.draw();
    const auto arcs = d.of(Kind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_NEAR(arcs[0].fromRad, GetParam().fromRad, 1e-9);
    EXPECT_NEAR(arcs[0].toRad, GetParam().toRad, 1e-9);
    EXPECT_NEAR(arcs[0].radius, GetParam().radius, 1e-6);
}

// The start (0, 0) lies straight below the centre (0, 10): start angle 3π/2.
// G2 and G3 between the same points draw complementary arcs.
INSTANTIATE_TEST_SUITE_P(
    Arcs, GrSubArcTest,
    testing::Values(
        ArcCase{"G2StartBelowCentre", "L\nG00X0Y0\nG02X10Y10I0J10", 2 * kPi, 3 * kPi / 2, 10},
        ArcCase{"G3SamePoints", "L\nG00X0Y0\nG03X10Y10I0J10", 3 * kPi / 2, 2 * kPi, 10},
        ArcCase{"G2StartAboveCentre", "L\nG00X0Y0\nG02X0Y-10I0J-5", 3 * kPi / 2, kPi / 2, 5},
        ArcCase{"G3HalfLeft", "L\nG00X10Y0\nG03X-10Y0I-10J0", 2 * kPi, kPi, 10},
        ArcCase{"FullCircleEqualAngles", "L\nG00X10Y0\nG02X10Y0I-10J0", 2 * kPi, 2 * kPi, 10}),
    [](const testing::TestParamInfo<ArcCase>& info) { return info.param.name; });

TEST(GrSub, ArcsAsLinesFromRadius60AtChordStep3) {
    DrawOptions options;
    options.arcsAsLines = true;
    Drawn small("L\nG00X59Y0\nG03X-59Y0I-59J0");
    small.view.ChordStep = 3;
    small.draw(options);
    EXPECT_EQ(small.of(Kind::Arc).size(), 1u);
    Drawn large("L\nG00X60Y0\nG03X-60Y0I-60J0");
    large.view.ChordStep = 3;
    large.draw(options);
    EXPECT_TRUE(large.of(Kind::Arc).empty());
    ASSERT_EQ(large.of(Kind::Pixel).size(), 1u);
    const auto lines = large.canvas.lines();
    ASSERT_FALSE(lines.empty());
    // Chords of 3 units over half a circle of radius 60, ending on the far point.
    EXPECT_NEAR(lines.front().points[0].x, 60, 1e-9);
    EXPECT_NEAR(lines.back().points[1].x, -60, 1e-9);
    EXPECT_NEAR(lines.back().points[1].y, 0, 1e-9);
    for (const Primitive& l : lines) {
        const WorldPoint mid{(l.points[0].x + l.points[1].x) / 2,
                             (l.points[0].y + l.points[1].y) / 2};
        EXPECT_GT(mid.y, -1e-9);  // the upper half: counter-clockwise from 0 to π
        EXPECT_LE(std::hypot(l.points[1].x - l.points[0].x, l.points[1].y - l.points[0].y), 3.0001);
    }
}

TEST(GrSub, ArcAsLinesIsBoundedWhateverTheRadiusAndStep) {
    DrawOptions options;
    options.arcsAsLines = true;
    Drawn d("L\nG00X1000000Y0\nG03X999999Y1I-1000000J0");
    d.view.ChordStep = 1e-6f;
    d.view.ViewWidth = d.view.ViewHeight = 1;  // zoomed in on the start
    d.view.ViewCentreX = 1000000;
    d.view.ViewCentreY = 0;
    boundsFromCentre(d.view);
    d.draw(options);
    std::size_t points = 0;
    for (const Primitive& p : d.of(Kind::Polyline)) {
        points += p.points.size();
    }
    EXPECT_GT(points, 0u);
    EXPECT_LE(points, static_cast<std::size_t>(kMaxChordsPerArc) + 2);
}

TEST(GrSub, HolesAndDrillPointsFollowTheLayerWidth) {
    Drawn d("THIN\nG81X1Y1\nWIDE\nG81X5Y5", "T1C2.0\nT1\nX3Y3");
    d.tables.layers[2].width = 4;  // WIDE
    d.draw();
    const auto pixels = d.of(Kind::Pixel);
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0].points[0].x, 1);
    const auto circles = d.of(Kind::Circle);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].radius, 2);  // the G81 of WIDE, drawn before the holes
    EXPECT_EQ(circles[0].points[0].x, 5);
    EXPECT_EQ(circles[1].radius, 1);  // hole of T1
    EXPECT_EQ(d.picks.row(d.picks.PickCount).kind, 4);
}

TEST(GrSub, WideTrackIsDrawnAsItsOutline) {
    Drawn d("L\nG00X0Y0\nG01X10Y0");
    d.tables.layers[0].width = 2;
    d.draw();
    const auto circles = d.of(Kind::Circle);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[1].points[0].x, 10);
    const auto lines = d.canvas.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(lines[0].points[0].y, -1, 1e-12);
    EXPECT_NEAR(lines[0].points[1].x, 10, 1e-12);
    EXPECT_NEAR(lines[1].points[0].y, 1, 1e-12);
}

TEST(GrSub, RapidsHighlightsColoursAndHiddenLayers) {
    Drawn d("A\nG00X0Y0\nG01X10Y0\nB\nG01X20Y0\nA\nG01X30Y0");
    d.colours.entries[1] = 255;    // layer A red
    d.colours.entries[2] = 65280;  // layer B green
    d.tables.paths[2].mark = 1;
    d.tables.layers[1].visible = false;
    DrawOptions options;
    options.showG00 = true;
    d.draw(options);
    std::vector<Primitive> rapids;
    std::vector<Primitive> cuts;
    for (const Primitive& l : d.canvas.lines()) {
        (l.style == PenStyle::DashDot ? rapids : cuts).push_back(l);
    }
    // Rapids (and layer changes) of A are dash-dot lines, those of the hidden B
    // are not drawn; B's end point still moves the pen, so the last cut starts
    // at (20, 0).
    EXPECT_EQ(rapids.size(), 3u);
    ASSERT_EQ(cuts.size(), 2u);
    EXPECT_EQ(cuts[0].penWidthPx, 3);
    EXPECT_EQ(cuts[0].colour, 255u);
    EXPECT_EQ(cuts[1].points[0].x, 20);
    EXPECT_EQ(cuts[1].penWidthPx, 1);
    Drawn plain("A\nG00X0Y0\nG01X10Y0");
    plain.draw();
    EXPECT_EQ(plain.canvas.lines().size(), 1u);
}

TEST(GrSub, PickRowsForPointsAndArcs) {
    Drawn d("L\nG00X0Y0\nG01X10Y0\nG02X10Y-10I0J-5");
    d.draw();
    // Layer change and G0 at (0, 0), G1 end, arc centre, arc end, then the arc's
    // from point, to point and pen position.
    ASSERT_EQ(d.picks.PickCount, 8);
    EXPECT_EQ(d.picks.row(3).kind, 1);
    EXPECT_EQ(d.picks.row(3).x, 10);
    EXPECT_EQ(d.picks.row(4).kind, 2);
    EXPECT_EQ(d.picks.row(4).x, 10);
    EXPECT_EQ(d.picks.row(4).y, -5);
    EXPECT_EQ(d.picks.row(4).b, -5);
    EXPECT_EQ(d.picks.row(5).y, -10);
    EXPECT_NEAR(d.picks.row(6).y, -10, 1e-5);  // from: the end, for G2
    EXPECT_NEAR(d.picks.row(7).y, 0, 1e-5);
    EXPECT_EQ(d.picks.row(8).x, 10);
    EXPECT_EQ(d.picks.row(8).y, 0);
}

TEST(GrSub, PickListStopsGrowingAtItsCap) {
    std::string text = "L\n";
    for (int k = 0; k < 100100; ++k) {
        text += "G01X" + std::to_string(k % 100) + "Y" + std::to_string(k / 100) + "\n";
    }
    Drawn d(text);
    d.draw();
    EXPECT_EQ(d.picks.PickCount, PickList::kMaxCount);
}

TEST(GrSub, NonFiniteRecordsAreSkippedAndDoNotPoisonTheView) {
    Drawn d("L\nG00X0Y0\nG01X10Y10\nG01X1e999Y5\nG01X20Y0");
    EXPECT_EQ(d.view.ViewRight, 25);
    d.draw();
    const auto lines = d.canvas.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].points[0].x, 10);
    EXPECT_EQ(lines[1].points[1].x, 20);
}

TEST(GrSub, LayerIndexOutsideTheTableEndsTheRedraw) {
    Drawn d("L\nG00X0Y0\nG01X10Y0\nG01X20Y0\nG01X30Y0");
    d.tables.paths[3].layer = 300;
    d.draw();
    EXPECT_EQ(d.canvas.lines().size(), 1u);
}

TEST(GrSub, CommandStateModesAndYield) {
    struct Case {
        int state;
        int after;
        PenMode mode;
        int yields;
    };
    std::string text = "L\n";
    for (int k = 0; k < 250; ++k) {
        text += "G01X" + std::to_string(k) + "Y0\n";
    }
    for (const Case c : {Case{0, 0, PenMode::Copy, 3}, Case{8000, 8000, PenMode::NotXor, 3},
                         Case{9000, 9001, PenMode::NotXor, 0}}) {
        SCOPED_TRACE(c.state);
        Drawn d(text);
        int yields = 0;
        DrawOptions options;
        options.CommandState = c.state;
        options.yield = [&] { ++yields; };
        d.draw(options);
        EXPECT_EQ(d.state, c.after);
        EXPECT_EQ(d.canvas.mode(), c.mode);
        EXPECT_EQ(yields, c.yields);  // records 0, 100 and 200
    }
}

TEST(GrSub, PrintPreviewIsWhitePaperWithOptionalBlackInk) {
    Drawn d("L\nG00X0Y0\nG01X10Y0");
    DrawOptions options;
    options.printPreview = true;
    options.blackInk = true;
    d.draw(options);
    EXPECT_EQ(d.canvas.primitives()[0].colour, kWhite);
    EXPECT_EQ(d.canvas.lines()[0].colour, kBlack);
}

TEST(GrSub, RunsOfLinesSkipPointsInTheSamePixelAndLinesOffTheSurface) {
    // 0.001 steps on a surface of 1000 pixels over about 30 units: each pixel
    // holds about 30 points; the run keeps one point per pixel entered.
    std::string text = "L\nG00X0Y0\n";
    for (int k = 1; k <= 10000; ++k) {
        text += "G01X" + std::to_string(k * 0.001) + "Y0\n";
    }
    text += "G01X500Y0\nG01X500Y500\n";  // off the fitted region? no: the fit takes them
    Drawn d(text);
    d.view.ViewLeft = -5;
    d.view.ViewRight = 25;
    d.view.ViewTop = 15;
    d.view.ViewBottom = -15;
    d.view.ViewWidth = d.view.ViewHeight = 30;
    d.view.ViewCentreX = 10;
    d.view.ViewCentreY = 0;
    d.draw();
    const auto runs = d.of(Kind::Polyline);
    ASSERT_EQ(runs.size(), 1u);  // the line up at X 500 lies off the surface
    const WorldWindow& w = d.canvas.window();
    const auto& points = runs[0].points;
    EXPECT_LT(points.size(), 400u);
    for (std::size_t k = 1; k < points.size(); ++k) {
        EXPECT_TRUE(std::floor(w.toPixelX(points[k].x)) !=
                        std::floor(w.toPixelX(points[k - 1].x)) ||
                    std::floor(w.toPixelY(points[k].y)) != std::floor(w.toPixelY(points[k - 1].y)));
    }
    EXPECT_EQ(points.back().x, 500);  // the way out of the surface is still drawn
}

TEST(GrSub, ArbitraryBytesScanFitAndDrawWithoutFault) {
    // Words, numbers of every shape, separators, quotes and lone or paired
    // Shift-JIS bytes in random order; run under the sanitizers this catches
    // reads past a field or a table.
    const char* pieces[] = {"G01",    "G02",
                            "G03",    "G00",
                            "G81",    "G",
                            "X",      "Y",
                            "I",      "J",
                            "C",      "T",
                            "*",      ",",
                            "\"",     " ",
                            "\r\n",   "\n",
                            "\r",     "-",
                            ".",      "1e999",
                            "1e-999", "12.5",
                            "-0.001", "99999999999999999999",
                            "\x83",   "\x83X",
                            "\xE0",   "\xFC"};
    std::uint32_t seed = 12345;
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int k = 0; k < 300; ++k) {
            seed = seed * 1664525u + 1013904223u;
            text += pieces[(seed >> 8) % std::size(pieces)];
        }
        PlotTables tables;
        scanPlotTables(tables, {text, text});
        PlotView view;
        fitView(view, tables);
        ASSERT_FALSE(std::isnan(view.ViewWidth) || std::isnan(view.ViewHeight));
        tables.layers[1].width = 3;
        RecordingCanvas canvas(640, 480);
        PickList picks;
        DrawOptions options;
        options.showG00 = options.arcsAsLines = options.referenceLines = true;
        GrSub(canvas, tables, ColourTable(), view, options, picks);
        ASSERT_LE(picks.PickCount, PickList::kMaxCount);
        (void)PictureGcode(tables);
    }
}

}  // namespace
}  // namespace talmir::graphic
