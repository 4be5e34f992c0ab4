// Benchmarks of the G-code exports on a generated program of a million lines.

#include "core/export/ExportSink.h"
#include "core/export/GcodeToDxf.h"
#include "core/export/GcodeToGerber.h"
#include "core/export/GcodeToHpgl.h"
#include "core/export/GcodeToIges.h"

#include "support/GeneratedGcode.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

// A milling program: a tool comment every 5000 lines, then rapids, feeds, arcs
// and drilling positions with three or four decimals, CR LF line ends.
const std::string& program() {
    static const std::string text = talmir::testing::generatedGcode(1'000'000);
    return text;
}

template <class Convert>
void run(benchmark::State& state, Convert convert) {
    const std::string& gcode = program();
    for (auto _ : state) {
        auto out = convert(gcode);
        if (!out.ok()) {
            state.SkipWithError("conversion failed");
            break;
        }
        benchmark::DoNotOptimize(out.value().data());
        state.counters["output_MB"] = static_cast<double>(out.value().size()) / 1e6;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(gcode.size()));
}

// Takes the pieces and drops them, as a file would take them without a cost.
class DroppingSink final : public talmir::exporters::ExportSink {
public:
    void put(std::uint64_t, std::string& piece) override {
        bytes += piece.size();
        piece.clear();
    }
    std::uint64_t bytes = 0;
};

// The same with the output handed over in pieces: the formatting alone.
template <class Convert>
void runIntoSink(benchmark::State& state, Convert convert) {
    const std::string& gcode = program();
    for (auto _ : state) {
        DroppingSink sink;
        auto out = convert(gcode, sink);
        if (!out.ok()) {
            state.SkipWithError("conversion failed");
            break;
        }
        state.counters["output_MB"] = static_cast<double>(sink.bytes) / 1e6;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(gcode.size()));
}

void BM_GcodeToDxfPieces(benchmark::State& state) {
    runIntoSink(state, [](const std::string& g, talmir::exporters::ExportSink& sink) {
        return talmir::exporters::gcodeToDxf(g, talmir::exporters::DxfOptions{{1, 2, 3}}, sink);
    });
}
void BM_GcodeToIgesPieces(benchmark::State& state) {
    runIntoSink(state, [](const std::string& g, talmir::exporters::ExportSink& sink) {
        return talmir::exporters::gcodeToIges(g, {"BENCH", "20240102", "030405"}, sink);
    });
}
void BM_GcodeToGerberPieces(benchmark::State& state) {
    runIntoSink(state, [](const std::string& g, talmir::exporters::ExportSink& sink) {
        return talmir::exporters::gcodeToGerber(g, {}, sink);
    });
}
void BM_GcodeToHpglPieces(benchmark::State& state) {
    runIntoSink(state, [](const std::string& g, talmir::exporters::ExportSink& sink) {
        return talmir::exporters::gcodeToHpgl(g, sink);
    });
}

void BM_GcodeToDxf(benchmark::State& state) {
    run(state, [](const std::string& g) {
        return talmir::exporters::gcodeToDxf(g, talmir::exporters::DxfOptions{{1, 2, 3}});
    });
}
void BM_GcodeToIges(benchmark::State& state) {
    run(state, [](const std::string& g) {
        return talmir::exporters::gcodeToIges(g, {"BENCH", "20240102", "030405"});
    });
}
void BM_GcodeToGerber(benchmark::State& state) {
    run(state, [](const std::string& g) { return talmir::exporters::gcodeToGerber(g, {}); });
}
void BM_GcodeToGerberRs274x(benchmark::State& state) {
    run(state, [](const std::string& g) {
        talmir::exporters::GerberOptions options;
        options.rs274x = true;
        return talmir::exporters::gcodeToGerber(g, options);
    });
}
void BM_GcodeToHpgl(benchmark::State& state) {
    run(state, [](const std::string& g) { return talmir::exporters::gcodeToHpgl(g); });
}

BENCHMARK(BM_GcodeToDxf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeToIges)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeToGerber)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeToGerberRs274x)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeToHpgl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeToDxfPieces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeToIgesPieces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeToGerberPieces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GcodeToHpglPieces)->Unit(benchmark::kMillisecond);

}  // namespace
