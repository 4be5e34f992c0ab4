// The hole-data window's tool tree and exports on 2,000,000 holes of 20 tools, next to
// a bare loop that reads every number of the same text with std::from_chars and
// writes it back with std::to_chars: the floor any export of the text stands on.

#include "core/export/ExportSink.h"
#include "core/export/HoleTree.h"
#include "core/export/HolesToDxf.h"
#include "core/export/HolesToGerber.h"
#include "core/export/HolesToIges.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <string>

namespace {

// The tool table, then each tool with its share of the holes.
std::string makeHoles(std::size_t holes, std::size_t tools) {
    std::string text;
    text.reserve(holes * 20 + tools * 16);
    char buf[64];
    for (std::size_t t = 1; t <= tools; ++t) {
        std::snprintf(buf, sizeof buf, "T%02zuC%zu.%zu\r\n", t, t / 10, t % 10);
        text += buf;
    }
    for (std::size_t k = 0; k < holes; ++k) {
        if (k % (holes / tools) == 0) {
            std::snprintf(buf, sizeof buf, "T%02zu\r\n", k / (holes / tools) + 1);
            text += buf;
        }
        std::snprintf(buf, sizeof buf, "X%zu.%03zuY%zu.%02zu\r\n", k % 1000, k % 997, k % 613,
                      k % 89);
        text += buf;
    }
    return text;
}

const std::string& holes() {
    static const std::string text = makeHoles(2'000'000, 20);
    return text;
}

// Drops the pieces, as a very fast file would take them.
class NullSink final : public talmir::exporters::ExportSink {
public:
    void put(std::uint64_t, std::string& piece) override { piece.clear(); }
};

void BM_HoleBareNumberLoop(benchmark::State& state) {
    const std::string& text = holes();
    for (auto _ : state) {
        std::string out;
        out.reserve(1 << 20);
        const char* p = text.data();
        const char* const end = p + text.size();
        while (p < end) {
            const char c = *p;
            if ((c >= '0' && c <= '9') || c == '-' || c == '.') {
                double value = 0;
                const auto r = std::from_chars(p, end, value);
                char buf[32];
                out.append(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
                p = r.ptr == p ? p + 1 : r.ptr;
            } else {
                out.push_back(c);
                ++p;
            }
            if (out.size() >= (1 << 20)) {
                benchmark::DoNotOptimize(out.data());
                out.clear();
            }
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_HoleBareNumberLoop)->Unit(benchmark::kMillisecond);

void BM_HolesToDxf(benchmark::State& state) {
    const talmir::exporters::DxfOptions options{std::vector<double>(20, 5)};
    for (auto _ : state) {
        NullSink sink;
        benchmark::DoNotOptimize(talmir::exporters::holesToDxf(holes(), options, sink).ok());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * holes().size()));
}
BENCHMARK(BM_HolesToDxf)->Unit(benchmark::kMillisecond);

void BM_HolesToIges(benchmark::State& state) {
    for (auto _ : state) {
        NullSink sink;
        benchmark::DoNotOptimize(
            talmir::exporters::holesToIges(holes(), {"PART", "20240102", "030405"}, sink).ok());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * holes().size()));
}
BENCHMARK(BM_HolesToIges)->Unit(benchmark::kMillisecond);

void BM_HolesToGerber(benchmark::State& state) {
    for (auto _ : state) {
        NullSink sink;
        benchmark::DoNotOptimize(talmir::exporters::holesToGerber(holes(), {}, sink).ok());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * holes().size()));
}
BENCHMARK(BM_HolesToGerber)->Unit(benchmark::kMillisecond);

void BM_HoleTreeBuild(benchmark::State& state) {
    for (auto _ : state) {
        auto nodes = talmir::exporters::holeTree(holes());
        benchmark::DoNotOptimize(nodes.ok());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * holes().size()));
}
BENCHMARK(BM_HoleTreeBuild)->Unit(benchmark::kMillisecond);

void BM_HoleTreeRebuild(benchmark::State& state) {
    const auto nodes = talmir::exporters::holeTree(holes());
    for (auto _ : state) {
        auto text = talmir::exporters::holeText(nodes.value());
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * holes().size()));
}
BENCHMARK(BM_HoleTreeRebuild)->Unit(benchmark::kMillisecond);

}  // namespace
