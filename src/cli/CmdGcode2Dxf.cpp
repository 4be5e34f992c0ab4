// talmir-convert gcode2dxf [--colours all|same] [--colour N] INPUT: G-code to DXF,
// with the layer colours the colour dialog would give.

#include "Command.h"

#include "export/GcodeToDxf.h"

namespace talmir::cli {
namespace {

Outcome runGcode2Dxf(const Arguments& args, const std::vector<std::string>& inputs) {
    using exporters::DxfColourMode;
    DxfColourMode mode = DxfColourMode::All;
    if (const auto colours = args.get("colours")) {
        if (*colours == "same") {
            mode = DxfColourMode::Same;
        } else if (*colours != "all") {
            return Outcome::usage("talmir-convert gcode2dxf: --colours takes all or same\n");
        }
    }
    int common = 5;
    if (const auto colour = args.get("colour")) {
        if (colour->size() != 1 || (*colour)[0] < '1' || (*colour)[0] > '7') {
            return Outcome::usage("talmir-convert gcode2dxf: --colour takes 1 to 7\n");
        }
        common = (*colour)[0] - '0';
    }
    const auto layers = exporters::gcodeDxfLayers(inputs[0]);
    if (!layers) {
        return Outcome::failed(failureMessage(layers.failure()));
    }
    exporters::DxfOptions options;
    options.colours = exporters::dxfDialogColours(mode, common, layers.value().size());
    auto dxf = exporters::gcodeToDxf(inputs[0], options);
    return outcomeOf(std::move(dxf));
}

const CommandRegistration kGcode2Dxf{{
    "gcode2dxf",
    "[--colours all|same] [--colour 1..7] INPUT [-o OUTPUT]",
    "G-code to DXF: LINE, ARC, CIRCLE and POINT entities, one layer per section line; "
    "colours cycle 1..7 per layer (all, the default) or are all --colour (same, default 5)",
    {"colours", "colour"},
    1,
    runGcode2Dxf,
}};

}  // namespace
}  // namespace talmir::cli
