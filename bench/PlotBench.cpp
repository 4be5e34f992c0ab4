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

// A CAM-like program of `lines` lines with CR LF ends, as tools/gen_big_gcode.py
// writes it: a section line every 20,000 lines (four layers), short G01 steps
// wandering over 500 x 300 mm, small G02/G03 arcs, G00 jumps and G81 points.
std::string makeProgram(int lines) {
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 26);
    std::uint64_t seed = 88172645463325252ULL;
    auto uniform = [&](double lo, double hi) {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        return lo + (hi - lo) * static_cast<double>(seed >> 11) / 9007199254740992.0;
    };
    double x = 250;
    double y = 150;
    double heading = 0;
    char buf[128];
    for (int k = 0; k < lines; ++k) {
        const int kind = k % 20;
        if (k % 20000 == 0) {
            std::snprintf(buf, sizeof buf, "LAYER %d", k / 20000 % 4);
        } else if (kind == 0) {
            x = uniform(0, 500);
            y = uniform(0, 300);
            std::snprintf(buf, sizeof buf, "G00X%.3fY%.3f", x, y);
        } else if (kind == 1) {
            std::snprintf(buf, sizeof buf, "G81X%.3fY%.3f", x, y);
        } else if (kind <= 6) {
            const double radius = uniform(0.5, 10);
            const double start = uniform(0, 6.283185307);
            const double sweep = uniform(0.2, 1.5) * (kind % 2 ? 1 : -1);
            const double cx = x - radius * std::cos(start);
            const double cy = y - radius * std::sin(start);
            const double i = cx - x;
            const double j = cy - y;
            x = cx + radius * std::cos(start + sweep);
            y = cy + radius * std::sin(start + sweep);
            std::snprintf(buf, sizeof buf, "%sX%.3fY%.3fI%.3fJ%.3f", sweep > 0 ? "G03" : "G02", x,
                          y, i, j);
        } else {
            heading += uniform(-0.6, 0.6);
            const double step = uniform(0.1, 3);
            x = std::fmin(std::fmax(x + step * std::cos(heading), 0), 500);
            y = std::fmin(std::fmax(y + step * std::sin(heading), 0), 300);
            std::snprintf(buf, sizeof buf, "G01X%.3fY%.3f", x, y);
        }
        if (k > 0) {
            text += "\r\n";
        }
        text += buf;
    }
    return text;
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
