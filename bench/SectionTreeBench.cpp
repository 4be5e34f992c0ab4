// The section tree of the G-code window on a one-million-line program.

#include "core/export/SectionTree.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// `lines` lines of G-code with CR LF line ends: a tool line every 500 lines,
// cycling through 40 tools, so every section comes back many times.
std::string makeProgram(std::size_t lines) {
    std::string program;
    program.reserve(lines * 24);
    char buf[64];
    for (std::size_t k = 0; k < lines; ++k) {
        if (k % 500 == 0) {
            std::snprintf(buf, sizeof buf, "(T%zu)\r\n", k / 500 % 40 + 1);
        } else {
            std::snprintf(buf, sizeof buf, "G01X%zu.%03zuY%zu.5\r\n", k % 1000, k % 997, k % 613);
        }
        program += buf;
    }
    return program;
}

const std::string& program() {
    static const std::string text = makeProgram(1'000'000);
    return text;
}

void BM_SplitSections(benchmark::State& state) {
    for (auto _ : state) {
        auto split = talmir::exporters::splitSections(program());
        benchmark::DoNotOptimize(split.nodes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * program().size()));
}
BENCHMARK(BM_SplitSections)->Unit(benchmark::kMillisecond);

void BM_RebuildText(benchmark::State& state) {
    const auto split = talmir::exporters::splitSections(program());
    for (auto _ : state) {
        std::string out;
        out.reserve(program().size());
        for (const auto& node : split.nodes) {
            talmir::exporters::appendSection(out, node.name, node.data);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * program().size()));
}
BENCHMARK(BM_RebuildText)->Unit(benchmark::kMillisecond);

}  // namespace
