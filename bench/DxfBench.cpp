// The DXF import and the G-code sort on large generated inputs.

#include "core/export/GcodeSort.h"
#include "core/import/DxfToGcode.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

// About `bytes` of R2000-style DXF with CR LF line ends: handles and subclass
// markers on every entity, LINE, ARC, CIRCLE and closed LWPOLYLINE with bulges in
// turn. tools/gen_big_dxf.py writes the same kind of file to disk.
std::string makeDxf(std::size_t bytes) {
    std::string dxf =
        "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$UCSORG\r\n 10\r\n10.0\r\n 20\r\n-5.0\r\n"
        "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    dxf.reserve(bytes + 1000);
    char buf[512];
    for (unsigned k = 0; dxf.size() < bytes; ++k) {
        const double x = (k * 7919 % 100000) / 100.0 - 500;
        const double y = (k * 104729 % 100000) / 100.0 - 500;
        const char* head = "  5\r\n1A2\r\n330\r\n1F\r\n100\r\nAcDbEntity\r\n  8\r\nOUTLINE\r\n";
        switch (k % 4) {
            case 0:
                std::snprintf(buf, sizeof buf,
                              "  0\r\nLINE\r\n%s100\r\nAcDbLine\r\n 10\r\n%.6f\r\n 20\r\n%.6f\r\n"
                              " 30\r\n0.0\r\n 11\r\n%.6f\r\n 21\r\n%.6f\r\n 31\r\n0.0\r\n",
                              head, x, y, y, x);
                break;
            case 1:
                std::snprintf(buf, sizeof buf,
                              "  0\r\nARC\r\n%s100\r\nAcDbCircle\r\n 10\r\n%.6f\r\n 20\r\n%.6f\r\n"
                              " 30\r\n0.0\r\n 40\r\n12.5\r\n100\r\nAcDbArc\r\n 50\r\n%.6f\r\n"
                              " 51\r\n%.6f\r\n",
                              head, x, y, (k % 360) * 1.0, (k * 7 % 360) * 1.0);
                break;
            case 2:
                std::snprintf(
                    buf, sizeof buf,
                    "  0\r\nCIRCLE\r\n%s100\r\nAcDbCircle\r\n 10\r\n%.6f\r\n 20\r\n%.6f\r\n"
                    " 30\r\n0.0\r\n 40\r\n3.175\r\n",
                    head, x, y);
                break;
            default:
                std::snprintf(
                    buf, sizeof buf,
                    "  0\r\nLWPOLYLINE\r\n%s100\r\nAcDbPolyline\r\n 90\r\n4\r\n 70\r\n1\r\n"
                    " 10\r\n%.6f\r\n 20\r\n%.6f\r\n 10\r\n%.6f\r\n 20\r\n%.6f\r\n"
                    " 42\r\n0.414214\r\n 10\r\n%.6f\r\n 20\r\n%.6f\r\n"
                    " 10\r\n%.6f\r\n 20\r\n%.6f\r\n 42\r\n-0.25\r\n",
                    head, x, y, x + 20, y, x + 20, y + 20, x, y + 20);
                break;
        }
        dxf += buf;
    }
    dxf += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    return dxf;
}

void BM_DxfToGcode(benchmark::State& state) {
    const std::string dxf = makeDxf(static_cast<std::size_t>(state.range(0)) << 20);
    for (auto _ : state) {
        auto result = talmir::importers::dxfToGcode(dxf);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * dxf.size()));
}
BENCHMARK(BM_DxfToGcode)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_SortGcode(benchmark::State& state) {
    const auto program = talmir::importers::dxfToGcode(makeDxf(16 << 20));
    const std::string& gcode = program.value();
    for (auto _ : state) {
        auto result = talmir::exporters::sortGcode(gcode);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * gcode.size()));
}
BENCHMARK(BM_SortGcode)->Unit(benchmark::kMillisecond);

}  // namespace
