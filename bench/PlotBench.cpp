// The plot: the table scanner over a large program, and GrSub drawing a million
// path records into a 1920 x 1080 image.

#include "core/graphic/GrSub.h"
#include "core/graphic/Measure.h"
#include "core/graphic/PlotScanner.h"
#include "core/graphic/Trace.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#if __has_include(<QGuiApplication>)
#include "render/QPainterCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#endif

namespace {

// The program tests/tools/gen_gcode_program.py writes, byte for byte: a section
// line every 10,102 lines, and blocks that each start with a G00 jump, a quarter
// of them rows of G81 holes, the rest contours of G01 steps and G02/G03 arcs.
// A million lines are about 25 MB: 494,000 G01, 233,000 G02/G03, 210,000 G81.
class ProgramMaker {
public:
    std::string make(int lines) {
        std::string text;
        text.reserve(static_cast<std::size_t>(lines) * 26);
        for (int k = 0; k < lines; ++k) {
            if (k % 10102 == 0) {
                std::snprintf(m_buf, sizeof m_buf, "(SECTION %d)", k / 10102 + 1);
            } else {
                move();
            }
            text += m_buf;
            text += "\r\n";
        }
        return text;
    }

private:
    std::uint64_t next() {
        m_seed ^= m_seed << 13;
        m_seed ^= m_seed >> 7;
        m_seed ^= m_seed << 17;
        return m_seed;
    }
    double uniform(double lo, double hi) {
        return lo + (hi - lo) * static_cast<double>(next() >> 11) / 9007199254740992.0;
    }
    int below(int n) { return static_cast<int>((next() >> 11) % static_cast<std::uint64_t>(n)); }

    // The next motion line into m_buf.
    void move() {
        if (m_left == 0) {
            m_x = uniform(0, 500);
            m_y = uniform(0, 300);
            std::snprintf(m_buf, sizeof m_buf, "G00X%.4fY%.4f", m_x, m_y);
            m_drilling = below(4) == 0;
            if (m_drilling) {
                m_dx = uniform(-3, 3);
                m_dy = uniform(-3, 3);
                m_left = 4 + below(20);
            } else {
                m_left = 6 + below(20);
            }
            return;
        }
        --m_left;
        if (m_drilling) {
            m_x = std::fmin(std::fmax(m_x + m_dx, 0), 500);
            m_y = std::fmin(std::fmax(m_y + m_dy, 0), 300);
            std::snprintf(m_buf, sizeof m_buf, "G81X%.3fY%.3f", m_x, m_y);
        } else if (below(100) < 32) {
            arc();
        } else {
            m_heading += uniform(-0.6, 0.6);
            const double step = uniform(0.1, 3);
            m_x = std::fmin(std::fmax(m_x + step * std::cos(m_heading), 0), 500);
            m_y = std::fmin(std::fmax(m_y + step * std::sin(m_heading), 0), 300);
            std::snprintf(m_buf, sizeof m_buf, "G01X%.4fY%.4f", m_x, m_y);
        }
    }
    void arc() {
        const double radius = uniform(0.5, 10);
        const double start = uniform(0, 2 * 3.141592653589793);
        const double size = uniform(0.2, 1.5);  // drawn before the sense, as in the script
        const double sweep = below(2) != 0 ? size : -size;
        const double cx = m_x - radius * std::cos(start);
        const double cy = m_y - radius * std::sin(start);
        const double i = cx - m_x;
        const double j = cy - m_y;
        m_x = cx + radius * std::cos(start + sweep);
        m_y = cy + radius * std::sin(start + sweep);
        std::snprintf(m_buf, sizeof m_buf, "%sX%.4fY%.4fI%.3fJ%.3f", sweep > 0 ? "G03" : "G02", m_x,
                      m_y, i, j);
    }

    std::uint64_t m_seed = 88172645463325252ULL;
    double m_x = 250;
    double m_y = 150;
    double m_heading = 0;
    double m_dx = 0;
    double m_dy = 0;
    int m_left = 0;  // lines of the block still to come
    bool m_drilling = false;
    char m_buf[128] = {};
};

std::string makeProgram(int lines) {
    return ProgramMaker().make(lines);
}

void BM_ScanPlotTables(benchmark::State& state) {
    const std::string program = makeProgram(static_cast<int>(state.range(0)));
    talmir::graphic::PlotTables tables;
    for (auto _ : state) {
        talmir::graphic::scanPlotTables(tables, {{}, program});
        benchmark::DoNotOptimize(tables.PathCount);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * program.size()));
}
BENCHMARK(BM_ScanPlotTables)->Arg(5'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Snapping a click against a full pick list (99,900 rows).
void BM_SnapFullPickList(benchmark::State& state) {
    talmir::graphic::PickList picks;
    for (int k = 0; k < talmir::graphic::PickList::kMaxCount; ++k) {
        picks.append({1, static_cast<float>(k % 400), static_cast<float>(k / 400), 0, 0});
    }
    double x = 0;
    for (auto _ : state) {
        x += 0.37;
        benchmark::DoNotOptimize(talmir::graphic::snapToPick(picks, std::fmod(x, 400), 100.2, 3));
    }
}
BENCHMARK(BM_SnapFullPickList)->Unit(benchmark::kMicrosecond);

// A click of the perimeter tool in continuous mode: the nearest element of all
// the records, then its contour highlighted (and taken back the next time).
void BM_ContinuousPick(benchmark::State& state) {
    using namespace talmir::graphic;
    const std::string program = makeProgram(static_cast<int>(state.range(0)));
    PlotTables tables;
    scanPlotTables(tables, {{}, program});
    int target = tables.PathCount / 2;
    while (tables.paths[static_cast<std::size_t>(target)].g != 1) {
        ++target;
    }
    const PathRow& row = tables.paths[static_cast<std::size_t>(target)];
    float total = 0;
    bool takeBack = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            pickForLength(tables, total, row.x, row.y, PickMode::Continuous, takeBack));
        takeBack = !takeBack;
    }
    state.counters["records"] = tables.PathCount + 1;
}
BENCHMARK(BM_ContinuousPick)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The trace's click: the drawn element nearest to a point of all the records of
// a 5,000,000-line program.
void BM_TraceClick(benchmark::State& state) {
    using namespace talmir::graphic;
    const std::string program = makeProgram(static_cast<int>(state.range(0)));
    PlotTables tables;
    scanPlotTables(tables, {{}, program});
    const PathRow& row = tables.paths[tables.paths.size() / 3];
    for (auto _ : state) {
        benchmark::DoNotOptimize(elementAt(tables, row.x + 0.01, row.y, 0.5));
    }
    state.counters["records"] = tables.PathCount + 1;
}
BENCHMARK(BM_TraceClick)->Arg(5'000'000)->Unit(benchmark::kMillisecond)->Iterations(10);

#if __has_include(<QGuiApplication>)

QGuiApplication& application() {
    static int argc = 1;
    static char name[] = "talmir-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QGuiApplication app(argc, argv);
    return app;
}

// GrSub of a million path records, fitted, into a 1920 x 1080 image.
void BM_GrSubImage(benchmark::State& state) {
    application();
    using namespace talmir::graphic;
    const std::string program = makeProgram(static_cast<int>(state.range(0)));
    PlotTables tables;
    scanPlotTables(tables, {{}, program});
    PlotView view;
    fitView(view, tables);
    const ColourTable colours;
    DrawOptions options;
    options.showG00 = false;
    PickList picks;
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        talmir::QPainterCanvas canvas(painter, image.width(), image.height());
        GrSub(canvas, tables, colours, view, options, picks);
    }
    state.counters["records"] = tables.PathCount + 1;
}
BENCHMARK(BM_GrSubImage)
    ->Arg(1'000'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The layer window: one layer shown or hidden, then the redraw of a million
// records.
void BM_LayerToggleRedraw(benchmark::State& state) {
    application();
    using namespace talmir::graphic;
    const std::string program = makeProgram(static_cast<int>(state.range(0)));
    PlotTables tables;
    scanPlotTables(tables, {{}, program});
    PlotView view;
    fitView(view, tables);
    const ColourTable colours;
    DrawOptions options;
    PickList picks;
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        tables.layers[1].visible = !tables.layers[1].visible;
        QPainter painter(&image);
        talmir::QPainterCanvas canvas(painter, image.width(), image.height());
        GrSub(canvas, tables, colours, view, options, picks);
    }
    state.counters["records"] = tables.PathCount + 1;
}
BENCHMARK(BM_LayerToggleRedraw)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(4);

// The trace's selection change on a 5,000,000-line program: the records of 50
// selected lines found and drawn lit over a copy of the last redraw.
void BM_TraceSelection(benchmark::State& state) {
    application();
    using namespace talmir::graphic;
    const std::string program = makeProgram(static_cast<int>(state.range(0)));
    PlotTables tables;
    scanPlotTables(tables, {{}, program});
    PlotView view;
    fitView(view, tables);
    ColourTable colours;
    colours.entries.fill(0xFFFF00);
    DrawOptions options;
    options.overlay = true;
    PickList picks;
    const QImage base(1920, 1080, QImage::Format_RGB32);
    std::uint32_t first = 2'500'000;
    for (auto _ : state) {
        const auto [from, to] = recordsOfLines(tables.pathLines, first, first + 49);
        std::vector<int> lit;
        for (int k = from; k < to; ++k) {
            lit.push_back(k);
        }
        QImage image = base;
        QPainter painter(&image);
        talmir::QPainterCanvas canvas(painter, image.width(), image.height());
        GrSub(canvas, extractElements(tables, lit), colours, view, options, picks);
        first += 1000;
    }
}
BENCHMARK(BM_TraceSelection)->Arg(5'000'000)->Unit(benchmark::kMillisecond)->Iterations(10);

// The redraws of the window's view commands on 100,000 records: each iteration
// zooms in, pans right, pans down and zooms out again, redrawing after each.
void BM_GrSubViewCommands(benchmark::State& state) {
    application();
    using namespace talmir::graphic;
    const std::string program = makeProgram(static_cast<int>(state.range(0)));
    PlotTables tables;
    scanPlotTables(tables, {{}, program});
    PlotView view;
    fitView(view, tables);
    const ColourTable colours;
    DrawOptions options;
    PickList picks;
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        for (int command : {2, 7, 5, 3}) {
            viewCommand(view, tables, command);
            QPainter painter(&image);
            talmir::QPainterCanvas canvas(painter, image.width(), image.height());
            GrSub(canvas, tables, colours, view, options, picks);
        }
    }
    state.counters["redraws"] = benchmark::Counter(4.0 * static_cast<double>(state.iterations()));
    state.SetItemsProcessed(4 * state.iterations());
}
BENCHMARK(BM_GrSubViewCommands)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(5);

// The floor to beat: every record as a bare QPainter line, arc or ellipse.
void BM_BareQPainterLoop(benchmark::State& state) {
    application();
    using namespace talmir::graphic;
    const std::string program = makeProgram(static_cast<int>(state.range(0)));
    PlotTables tables;
    scanPlotTables(tables, {{}, program});
    PlotView view;
    fitView(view, tables);
    const WorldWindow w = *worldWindow(view, 1920, 1080);
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::black);
        painter.setPen(QColor(0, 0, 255));
        QPointF p(w.toPixelX(0), w.toPixelY(0));
        for (const PathRow& r : tables.paths) {
            const QPointF e(w.toPixelX(r.x), w.toPixelY(r.y));
            if (r.g == 2 || r.g == 3) {
                const double rad = std::hypot(r.i, r.j) * w.pixelsPerUnitX();
                const QPointF c(w.toPixelX(r.x + r.i), w.toPixelY(r.y + r.j));
                painter.drawArc(QRectF(c.x() - rad, c.y() - rad, 2 * rad, 2 * rad), 0, 90 * 16);
            } else if (r.g == 81) {
                painter.drawPoint(e);
            } else {
                painter.drawLine(p, e);
            }
            p = e;
        }
    }
}
BENCHMARK(BM_BareQPainterLoop)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

#endif

}  // namespace
