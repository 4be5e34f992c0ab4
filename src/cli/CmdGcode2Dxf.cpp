// talmir-convert gcode2dxf [--colours all|same] [--colour N] INPUT: G-code to DXF,
// with the layer colours the colour dialog would give.

#include "cli/ExportOptions.h"

#include "core/export/GcodeToDxf.h"

namespace talmir::cli {
namespace {

Outcome runGcode2Dxf(const DxfColourChoice& choice, const Inputs& inputs,
                     exporters::ExportSink& sink) {
    return outcomeOf(exporters::gcodeToDxf(inputs[0], choice.dxfOptions(), sink));
}

const CommandRegistration kGcode2Dxf{commandInfo<DxfColourChoice>({
    .name = "gcode2dxf",
    .summary = "G-code to DXF: LINE, ARC, CIRCLE and POINT entities, one layer per section line; "
               "colours cycle 1..7 per layer (all, the default) or are all --colour (same, "
               "default 5)",
    .table = {dxfColourOptions()},
    .run = runGcode2Dxf,
    .writesPieces = true,
})};

}  // namespace
}  // namespace talmir::cli
