// talmir-convert holes2dxf [--colours all|same] [--colour N] INPUT: hole data to DXF
// circles, one layer per tool, with the colours the colour dialog would give.

#include "cli/ExportOptions.h"

#include "core/export/HolesToDxf.h"

namespace talmir::cli {
namespace {

Outcome runHoles2Dxf(const DxfColourChoice& choice, const Inputs& inputs,
                     exporters::ExportSink& sink) {
    return outcomeOf(exporters::holesToDxf(inputs[0], choice.dxfOptions(), sink));
}

const CommandRegistration kHoles2Dxf{commandInfo<DxfColourChoice>({
    .name = "holes2dxf",
    .summary = "hole data to DXF: one CIRCLE per hole, one layer per tool (T1, T2, ...); colours "
               "cycle 1..7 per layer (all, the default) or are all --colour (same, default 5)",
    .table = {dxfColourOptions()},
    .run = runHoles2Dxf,
    .writesPieces = true,
})};

}  // namespace
}  // namespace talmir::cli
