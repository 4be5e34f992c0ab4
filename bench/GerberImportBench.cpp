// The Gerber import on a large generated photoplot file.

#include "core/import/GerberToGcode.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// About `bytes` of RS-274X as a CAD program writes it: six decimals in
// millimetres, one block a line, draws mostly, with moves, flashes, arcs in
// "G02*" blocks of their own, and an aperture change every 50 blocks.
std::string makeGerber(std::size_t bytes) {
    std::string gerber =
        "%FSLAX46Y46*%\n%MOMM*%\n%ADD10C,0.100000*%\n%ADD11R,1.0X0.5*%\n%ADD12C,0.2*%\n"
        "G01*\nG75*\n";
    gerber.reserve(bytes + 1000);
    char buf[160];
    for (unsigned k = 0; gerber.size() < bytes; ++k) {
        const long x = static_cast<long>(k * 7919u % 400000u) * 1000 - 200000000;
        const long y = static_cast<long>(k * 104729u % 400000u) * 1000 - 200000000;
        if (k % 50 == 0) {
            std::snprintf(buf, sizeof buf, "D%u*\n", 10 + k / 50 % 3);
            gerber += buf;
        }
        switch (k % 20) {
            case 0:
            case 1:
                std::snprintf(buf, sizeof buf, "X%ldY%ldD03*\n", x, y);
                break;
            case 2:
            case 3:
                std::snprintf(buf, sizeof buf, "X%ldY%ldD02*\n", x, y);
                break;
            case 4:
                std::snprintf(buf, sizeof buf, "G02*\nX%ldY%ldI%ldJ%ldD01*\nG01*\n", x, y, x / 300,
                              -y / 300);
                break;
            default:
                std::snprintf(buf, sizeof buf, "X%ldY%ldD01*\n", x, y);
                break;
        }
        gerber += buf;
    }
    gerber += "M02*\n";
    return gerber;
}

void BM_GerberToGcode(benchmark::State& state) {
    const std::string gerber = makeGerber(static_cast<std::size_t>(state.range(0)) << 20);
    talmir::importers::GerberImportOptions options;
    options.unit = 6;
    for (auto _ : state) {
        auto result = talmir::importers::gerberToGcode(gerber, options);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * gerber.size()));
}
BENCHMARK(BM_GerberToGcode)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
