// talmir-convert gcode2dxf [--colours all|same] [--colour N] INPUT: G-code to DXF,
// with the layer colours the colour dialog would give.

#include "cli/Command.h"

#include "core/export/GcodeToDxf.h"

#include <utility>
#include <variant>

namespace talmir::cli {
namespace {

// The options of the command line, or the usage message.
std::variant<exporters::DxfOptions, Outcome> dxfOptions(const Arguments& args) {
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
    // The colour of a row does not depend on the number of rows, so the colours of
    // the largest layer table serve every program (a program with more layers
    // fails with the table error anyway).
    exporters::DxfOptions options;
    options.colours = exporters::dxfDialogColours(mode, common, exporters::kMaxDxfLayers);
    return options;
}

Outcome runGcode2Dxf(const Arguments& args, const std::vector<std::string>& inputs) {
    auto options = dxfOptions(args);
    if (auto* usage = std::get_if<Outcome>(&options)) {
        return std::move(*usage);
    }
    return outcomeOf(exporters::gcodeToDxf(inputs[0], std::get<exporters::DxfOptions>(options)));
}

Outcome runGcode2DxfIntoSink(const Arguments& args, const std::vector<std::string>& inputs,
                             exporters::ExportSink& sink) {
    auto options = dxfOptions(args);
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
