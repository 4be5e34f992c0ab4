// talmir-convert holes2dxf [--colours all|same] [--colour N] INPUT: hole data to DXF
// circles, one layer per tool, with the colours the colour dialog would give.

#include "cli/Command.h"
#include "cli/ExportArguments.h"

#include "core/export/HolesToDxf.h"

namespace talmir::cli {
namespace {

constexpr std::string_view kName = "holes2dxf";

Outcome runHoles2Dxf(const Arguments& args, const std::vector<std::string>& inputs) {
    return runWithOptions([&] { return dxfColourArguments(args, kName); },
                          [&](const exporters::DxfOptions& options) {
                              return exporters::holesToDxf(inputs[0], options);
                          });
}

Outcome runHoles2DxfIntoSink(const Arguments& args, const std::vector<std::string>& inputs,
                             exporters::ExportSink& sink) {
    return runWithOptions([&] { return dxfColourArguments(args, kName); },
                          [&](const exporters::DxfOptions& options) {
                              return exporters::holesToDxf(inputs[0], options, sink);
                          });
}

const CommandRegistration kHoles2Dxf{{
    std::string(kName),
    "[--colours all|same] [--colour 1..7] INPUT [-o OUTPUT]",
    "hole data to DXF: one CIRCLE per hole, one layer per tool (T1, T2, ...); colours cycle "
    "1..7 per layer (all, the default) or are all --colour (same, default 5)",
    {"colours", "colour"},
    1,
    runHoles2Dxf,
    runHoles2DxfIntoSink,
}};

}  // namespace
}  // namespace talmir::cli
