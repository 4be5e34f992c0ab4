// talmir-convert gcode2dxf [--colours all|same] [--colour N] INPUT: G-code to DXF,
// with the layer colours the colour dialog would give.

#include "cli/Command.h"
#include "cli/ExportArguments.h"

#include "core/export/GcodeToDxf.h"

#include <utility>
#include <variant>

namespace talmir::cli {
namespace {

Outcome runGcode2Dxf(const Arguments& args, const std::vector<std::string>& inputs) {
    auto options = dxfColourArguments(args, "gcode2dxf");
    if (auto* usage = std::get_if<Outcome>(&options)) {
        return std::move(*usage);
    }
    return outcomeOf(exporters::gcodeToDxf(inputs[0], std::get<exporters::DxfOptions>(options)));
}

Outcome runGcode2DxfIntoSink(const Arguments& args, const std::vector<std::string>& inputs,
                             exporters::ExportSink& sink) {
    auto options = dxfColourArguments(args, "gcode2dxf");
    if (auto* usage = std::get_if<Outcome>(&options)) {
        return std::move(*usage);
    }
    return outcomeOf(
        exporters::gcodeToDxf(inputs[0], std::get<exporters::DxfOptions>(options), sink));
}

const CommandRegistration kGcode2Dxf{{
    "gcode2dxf",
    "[--colours all|same] [--colour 1..7] INPUT [-o OUTPUT]",
    "G-code to DXF: LINE, ARC, CIRCLE and POINT entities, one layer per section line; "
    "colours cycle 1..7 per layer (all, the default) or are all --colour (same, default 5)",
    {"colours", "colour"},
    1,
    runGcode2Dxf,
    runGcode2DxfIntoSink,
}};

}  // namespace
}  // namespace talmir::cli
