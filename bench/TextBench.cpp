// Benchmarks of the text primitives on large generated inputs.

#include "core/text/Lines.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"
#include "core/text/ShiftJis.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace talmir::text;

// About `bytes` of G-code in `lines` lines ending in CR LF, every tenth followed
// by an empty line (which the save drops).
std::string makeProgram(std::size_t lines, std::size_t bytes) {
    std::string text;
    text.reserve(bytes + lines * 2);
    const std::size_t lineBytes = bytes / lines;
    for (std::size_t i = 0; i < lines; ++i) {
        const std::size_t start = text.size();
        text += "G01X";
        text += std::to_string(i % 1000);
        text += ".125Y";
        text += std::to_string((i * 7) % 1000);
        text += ".5 F1200 ; cut to the next corner of the pocket";
        text.resize(std::max(text.size(), start + lineBytes - 2), ' ');
        text.resize(start + lineBytes - 2);
        text += (i % 10 == 0) ? "\r\n\r\n" : "\r\n";
    }
    return text;
}

// About `bytes` of Shift-JIS: G-code lines with Japanese comments (kanji,
// kana, full-width and half-width katakana).
std::string makeShiftJis(std::size_t bytes) {
    const std::vector<std::string> comments = {
        utf8ToShiftJis("（穴加工　工具径１０．０ｍｍ）"), utf8ToShiftJis("(ﾄﾞﾘﾙ ｻｲｸﾙ 開始)"),
        utf8ToShiftJis("（外形荒加工　送り速度を下げる）"), utf8ToShiftJis("(ｴﾝﾄﾞﾐﾙ 仕上げ)"),
        utf8ToShiftJis("（座標系設定：ワーク原点）")};
    std::string text;
    text.reserve(bytes + 200);
    for (std::size_t i = 0; text.size() < bytes; ++i) {
        text += "G01X";
        text += std::to_string(i % 1000);
        text += ".125Y";
        text += std::to_string((i * 7) % 1000);
        text += ".5";
        text += comments[i % comments.size()];
        text += "\r\n";
    }
    return text;
}

// Into a reused buffer: the save rule itself. The fresh-buffer form also pays
// for the page faults of a new 100 MB string on every run.
void BM_SaveWithLineEndCrLf(benchmark::State& state) {
    const std::string text = makeProgram(2'000'000, 100'000'000);
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (auto _ : state) {
        out.clear();
        appendSaveWithLineEnd(out, text, LineEnd::CrLf);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SaveWithLineEndCrLf)->Unit(benchmark::kMillisecond);

void BM_SaveWithLineEndCrLfFresh(benchmark::State& state) {
    const std::string text = makeProgram(2'000'000, 100'000'000);
    for (auto _ : state) {
        std::string out = saveWithLineEnd(text, LineEnd::CrLf);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_SaveWithLineEndCrLfFresh)->Unit(benchmark::kMillisecond);

void BM_PaneSnapshot(benchmark::State& state) {
    const std::string text = makeProgram(2'000'000, 100'000'000);
    for (auto _ : state) {
        std::string out = paneSnapshot(text);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_PaneSnapshot)->Unit(benchmark::kMillisecond);

void BM_ShiftJisToUtf8(benchmark::State& state) {
    const std::string sjis = makeShiftJis(120'000'000);
    std::string out;
    out.reserve(sjis.size() * 2);
    for (auto _ : state) {
        out.clear();
        appendShiftJisToUtf8(out, sjis);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(sjis.size()));
}
BENCHMARK(BM_ShiftJisToUtf8)->Unit(benchmark::kMillisecond);

// As the editor loads a file: a new string every time.
void BM_ShiftJisToUtf8Fresh(benchmark::State& state) {
    const std::string sjis = makeShiftJis(120'000'000);
    for (auto _ : state) {
        std::string out = shiftJisToUtf8(sjis);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(sjis.size()));
}
BENCHMARK(BM_ShiftJisToUtf8Fresh)->Unit(benchmark::kMillisecond);

void BM_Utf8ToShiftJis(benchmark::State& state) {
    const std::string utf8 = shiftJisToUtf8(makeShiftJis(120'000'000));
    for (auto _ : state) {
        std::string out = utf8ToShiftJis(utf8);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(utf8.size()));
}
BENCHMARK(BM_Utf8ToShiftJis)->Unit(benchmark::kMillisecond);

// Coordinates as a conversion writes them: a few thousand distinct values.
std::vector<double> makeCoordinates() {
    std::vector<double> values;
    for (int i = 0; i < 4096; ++i) {
        values.push_back((i * 37 % 20001 - 10000) * 0.0125 + i * 1e-7);
    }
    return values;
}

void BM_NumberPictureAppend(benchmark::State& state) {
    const NumberPicture picture(state.range(0) == 4 ? "######0.0###" : "####0.0#######");
    const std::vector<double> values = makeCoordinates();
    std::string out;
    for (auto _ : state) {
        out.clear();
        for (double v : values) {
            picture.append(out, v);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(values.size()));
}
BENCHMARK(BM_NumberPictureAppend)->Arg(4)->Arg(8);

void BM_NumericValue(benchmark::State& state) {
    std::vector<std::string> words;
    const NumberPicture picture("######0.0###");
    for (double v : makeCoordinates()) {
        words.push_back(picture.format(v) + "Y");
    }
    for (auto _ : state) {
        double sum = 0;
        for (const std::string& w : words) {
            sum += numericValue(w);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(words.size()));
}
BENCHMARK(BM_NumericValue);

}  // namespace
