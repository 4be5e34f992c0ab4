// The wire-cut conversions on a main program that calls a 1,000-move subprogram
// 1,000 times: 1,000,000 expanded moves. The expansion, the translation of the
// expanded program, both in a row, and the plot tables filled from the expansion.

#include "core/graphic/ExpandedPlot.h"
#include "core/import/WirFmt.h"
#include "core/import/WireToGcode.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kCalls = 1000;
constexpr int kSubprogramMoves = 1000;

// Threading, compensation, the calls, and the wire cut off at the end.
std::string mainProgram() {
    std::string text = "%\r\nO0001(BENCH)\r\nG92X0Y0\r\nM60\r\nG90G42G01X1.Y0\r\n";
    for (int k = 0; k < kCalls; ++k) {
        text += "M98P1000\r\n";
    }
    text += "G40G01X0Y0\r\nM50\r\nM30\r\n%\r\n";
    return text;
}

// Small incremental steps of a contour, every tenth an arc by its radius, a
// comment now and then; it comes back to where it started.
std::string subprogram() {
    std::string text = "O1000(STEPS)\r\nG91\r\n";
    char line[64];
    for (int k = 0; k < kSubprogramMoves; ++k) {
        const int dir = k < kSubprogramMoves / 2 ? 1 : -1;
        if (k % 10 == 9) {
            std::snprintf(line, sizeof line, "G02X%s.02Y0R.01\r\n", dir < 0 ? "-" : "");
        } else if (k % 50 == 0) {
            std::snprintf(line, sizeof line, "G01X%s.013Y.007(P%d)\r\n", dir < 0 ? "-" : "", k);
        } else {
            std::snprintf(line, sizeof line, "G01X%s.013Y%s.007\r\n", dir < 0 ? "-" : "",
                          dir < 0 ? "-" : "");
        }
        text += line;
    }
    text += "G90\r\nM99\r\n";
    return text;
}

talmir::importers::WirFmtOptions options() {
    talmir::importers::WirFmtOptions o;
    o.subprogram = [](std::string_view) -> std::optional<std::string> {
        static const std::string bytes = subprogram();
        return bytes;
    };
    return o;
}

const std::string& expanded() {
    static const std::string text = talmir::importers::WirFmt(mainProgram(), options()).value();
    return text;
}

void BM_WirFmtMillionMoves(benchmark::State& state) {
    const std::string program = mainProgram();
    for (auto _ : state) {
        auto result = talmir::importers::WirFmt(program, options());
        benchmark::DoNotOptimize(result.value().data());
    }
    state.SetItemsProcessed(state.iterations() * kCalls * kSubprogramMoves);
}
BENCHMARK(BM_WirFmtMillionMoves)->Unit(benchmark::kMillisecond);

void BM_WireToGcodeMillionMoves(benchmark::State& state) {
    const std::string& program = expanded();
    for (auto _ : state) {
        auto result = talmir::importers::wireToGcode(program);
        benchmark::DoNotOptimize(result.value().data());
    }
    state.SetItemsProcessed(state.iterations() * kCalls * kSubprogramMoves);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(program.size()));
}
BENCHMARK(BM_WireToGcodeMillionMoves)->Unit(benchmark::kMillisecond);

// What wire-expand and wire2gcode take one after the other.
void BM_WireExpandThenTranslate(benchmark::State& state) {
    const std::string program = mainProgram();
    for (auto _ : state) {
        auto moves = talmir::importers::WirFmt(program, options());
        auto gcode = talmir::importers::wireToGcode(moves.value());
        benchmark::DoNotOptimize(gcode.value().data());
    }
    state.SetItemsProcessed(state.iterations() * kCalls * kSubprogramMoves);
}
BENCHMARK(BM_WireExpandThenTranslate)->Unit(benchmark::kMillisecond);

// "ワイヤーFUNAC": the expansion into the plot tables.
void BM_WireExpandThenPlotTables(benchmark::State& state) {
    const std::string program = mainProgram();
    auto tables = std::make_unique<talmir::graphic::PlotTables>();
    for (auto _ : state) {
        auto moves = talmir::importers::WirFmt(program, options());
        benchmark::DoNotOptimize(talmir::graphic::loadExpandedPlot(*tables, moves.value()));
    }
    state.SetItemsProcessed(state.iterations() * kCalls * kSubprogramMoves);
}
BENCHMARK(BM_WireExpandThenPlotTables)->Unit(benchmark::kMillisecond);

}  // namespace
