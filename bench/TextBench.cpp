// Benchmarks of the text primitives on large generated inputs.

#include "text/Lines.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string makeProgram(std::size_t lines) {
    std::string text;
    text.reserve(lines * 50);
    for (std::size_t i = 0; i < lines; ++i) {
        text += "G01X";
        text += std::to_string(i % 1000);
        text += ".125Y";
        text += std::to_string((i * 7) % 1000);
        text += ".5 F1200 ; cut to the next corner of the pocket";
        text += (i % 10 == 0) ? "\r\n\r\n" : "\r\n";
    }
    return text;
}

void BM_SaveWithLineEndCrLf(benchmark::State& state) {
    const std::string text = makeProgram(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::string out = talmir::text::saveWithLineEnd(text, talmir::text::LineEnd::CrLf);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SaveWithLineEndCrLf)->Arg(2'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
