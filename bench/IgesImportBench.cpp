// The IGES import on a large file written by our own IGES export.

#include "core/export/GcodeToIges.h"
#include "core/import/IgesToGcode.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// About `entities` lines, arcs and drill points over a 500 x 300 sheet, with a
// section line every 5,000 entities, as IGES (three or four records each).
std::string makeIges(unsigned entities) {
    std::string gcode;
    char buf[96];
    for (unsigned k = 0; k < entities; ++k) {
        if (k % 5000 == 0) {
            std::snprintf(buf, sizeof buf, "(LAYER%u)\r\n", k / 5000);
            gcode += buf;
        }
        const double x = (k * 7919 % 500000) / 1000.0;
        const double y = (k * 104729 % 300000) / 1000.0;
        switch (k % 4) {
            case 0:
                std::snprintf(buf, sizeof buf, "G81X%.3fY%.3f\r\n", x, y);
                break;
            case 1:
                std::snprintf(buf, sizeof buf, "G03X%.3fY%.3fI-2.5J1.25\r\n", x, y);
                break;
            default:
                std::snprintf(buf, sizeof buf, "G01X%.3fY%.3f\r\n", x, y);
                break;
        }
        gcode += buf;
    }
    talmir::exporters::IgesOptions options;
    options.caption = "bench";
    options.date = "20240102";
    options.time = "030405";
    return talmir::exporters::gcodeToIges(gcode, options).value();
}

void BM_IgesToGcode(benchmark::State& state) {
    const std::string iges = makeIges(static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        auto result = talmir::importers::igesToGcode(iges);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * iges.size()));
}
BENCHMARK(BM_IgesToGcode)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
