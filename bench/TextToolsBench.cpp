// The editor's text tools on a 100 MB generated program: replace, control
// characters, a search whose match lies 100 MB after the caret, code tables and
// file comparison.

#include "core/editor/CodeTable.h"
#include "core/editor/ControlChars.h"
#include "core/editor/FileCompare.h"
#include "core/editor/Find.h"
#include "core/editor/Replace.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::size_t kTextBytes = 100'000'000;

// G-code lines with a Shift-JIS comment ("(穴あけ)") on every tenth line.
const std::string& program() {
    static const std::string text = [] {
        std::string t;
        t.reserve(kTextBytes + 100);
        for (std::size_t i = 0; t.size() < kTextBytes; ++i) {
            t += "N";
            t += std::to_string(i % 100000);
            t += "G01X";
            t += std::to_string(i % 1000);
            t += ".125Y";
            t += std::to_string((i * 7) % 1000);
            t += ".5F1200\r\n";
            if (i % 10 == 0) {
                t += "(\x8C\x8A\x82\xA0\x82\xAF)\r\n";
            }
        }
        return t;
    }();
    return text;
}

void setBytes(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void BM_ReplaceAll(benchmark::State& state) {
    const std::string& text = program();
    for (auto _ : state) {
        auto result = talmir::editor::replaceAll(text, "G01", "G1");
        benchmark::DoNotOptimize(result.text.data());
    }
    setBytes(state, text.size());
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond);

void BM_ControlDeleteCrLf(benchmark::State& state) {
    const std::string& text = program();
    for (auto _ : state) {
        auto result = talmir::editor::convertControlChars(text, "\r\n", "");
        benchmark::DoNotOptimize(result.text.data());
    }
    setBytes(state, text.size());
}
BENCHMARK(BM_ControlDeleteCrLf)->Unit(benchmark::kMillisecond);

void BM_ControlCrToLf(benchmark::State& state) {
    const std::string& text = program();
    for (auto _ : state) {
        auto result = talmir::editor::convertControlChars(text, "\r", "\n");
        benchmark::DoNotOptimize(result.text.data());
    }
    setBytes(state, text.size());
}
BENCHMARK(BM_ControlCrToLf)->Unit(benchmark::kMillisecond);

// The only match is at the very end: the search crosses 100 MB of text in which
// candidates start often (every "G01" line and every "G" of it).
void BM_FindMatch100MbAfterCaret(benchmark::State& state) {
    const std::string text = program() + "G01X9.999Y9.999";
    for (auto _ : state) {
        auto found = talmir::editor::findForward(text, "G01X9.999", 0);
        benchmark::DoNotOptimize(found);
        if (!found) {
            state.SkipWithError("not found");
        }
    }
    setBytes(state, text.size());
}
BENCHMARK(BM_FindMatch100MbAfterCaret)->Unit(benchmark::kMillisecond);

void BM_ApplyCodeTable(benchmark::State& state) {
    const std::string& text = program();
    const auto table = talmir::editor::readCodeTable(talmir::editor::identityCodeTable());
    for (auto _ : state) {
        auto out = talmir::editor::applyCodeTable(text, table.value());
        benchmark::DoNotOptimize(out.data());
    }
    setBytes(state, text.size());
}
BENCHMARK(BM_ApplyCodeTable)->Unit(benchmark::kMillisecond);

void BM_CompareFilesIdentical(benchmark::State& state) {
    const std::string& text = program();
    const std::string copy = text;
    for (auto _ : state) {
        auto comparison = talmir::editor::compareFiles(text, copy);
        benchmark::DoNotOptimize(comparison);
    }
    setBytes(state, text.size());
}
BENCHMARK(BM_CompareFilesIdentical)->Unit(benchmark::kMillisecond);

}  // namespace
