// The HPGL import on large generated plot streams, with and without separators.

#include "core/import/HpglToGcode.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// About `bytes` of plot commands: pen-up moves, polylines of one to eight pairs, an
// arc every tenth figure and a circle every tenth, a line end every forty. With
// `separators` false the commands run together as some drivers write them.
std::string makeHpgl(std::size_t bytes, bool separators) {
    const char* sep = separators ? ";" : "";
    std::string hpgl = separators ? "IN;SP1;PA;" : "\x03INSP1PA";
    hpgl.reserve(bytes + 1000);
    char buf[256];
    for (unsigned k = 0; hpgl.size() < bytes; ++k) {
        const unsigned x = k * 7919 % 40000;
        const unsigned y = k * 104729 % 30000;
        switch (k % 10) {
            case 8:
                std::snprintf(buf, sizeof buf, "PU%u,%u%sAA%u,%u,%d%s", x, y, sep, x + 500, y + 300,
                              static_cast<int>(k % 541) - 270, sep);
                break;
            case 9:
                std::snprintf(buf, sizeof buf, "PU%u,%u%sCI%u%s", x, y, sep, 10 + k % 2000, sep);
                break;
            default: {
                int n = std::snprintf(buf, sizeof buf, "PU%u,%u%sPD", x, y, sep);
                for (unsigned p = 0; p <= k % 8; ++p) {
                    n += std::snprintf(buf + n, sizeof buf - static_cast<std::size_t>(n), "%s%u,%u",
                                       p == 0 ? "" : ",", (x + p * 4099) % 40000,
                                       (y + p * 3989) % 30000);
                }
                std::snprintf(buf + n, sizeof buf - static_cast<std::size_t>(n), "%s", sep);
                break;
            }
        }
        hpgl += buf;
        if (k % 40 == 39) {
            hpgl += "\r\n";
        }
    }
    hpgl += separators ? "PU0,0;SP0;" : "PU0,0SP0";
    return hpgl;
}

void BM_HpglToGcode(benchmark::State& state) {
    const std::string hpgl =
        makeHpgl(static_cast<std::size_t>(state.range(0)) << 20, state.range(1) != 0);
    for (auto _ : state) {
        auto result = talmir::importers::hpglToGcode(hpgl);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * hpgl.size()));
}
BENCHMARK(BM_HpglToGcode)
    ->ArgNames({"MB", "separators"})
    ->Args({20, 1})
    ->Args({20, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
