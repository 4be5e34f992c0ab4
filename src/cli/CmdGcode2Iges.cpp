// talmir-convert gcode2iges [--caption NAME] [--timestamp yyyymmddhhnnss] INPUT:
// G-code to IGES. The caption defaults to the input's file name; the date and time
// come from the clock unless --timestamp fixes them.

#include "cli/Command.h"
#include "cli/ExportArguments.h"

#include "core/export/GcodeToIges.h"

#include <utility>
#include <variant>

namespace talmir::cli {
namespace {

Outcome runGcode2Iges(const Arguments& args, const std::vector<std::string>& inputs) {
    auto options = igesArguments(args, "gcode2iges");
    if (auto* usage = std::get_if<Outcome>(&options)) {
        return std::move(*usage);
    }
    return outcomeOf(exporters::gcodeToIges(inputs[0], std::get<exporters::IgesOptions>(options)));
}

Outcome runGcode2IgesIntoSink(const Arguments& args, const std::vector<std::string>& inputs,
                              exporters::ExportSink& sink) {
    auto options = igesArguments(args, "gcode2iges");
    if (auto* usage = std::get_if<Outcome>(&options)) {
        return std::move(*usage);
    }
    return outcomeOf(
        exporters::gcodeToIges(inputs[0], std::get<exporters::IgesOptions>(options), sink));
}

const CommandRegistration kGcode2Iges{{
    "gcode2iges",
    "[--caption NAME] [--timestamp yyyymmddhhnnss] INPUT [-o OUTPUT]",
    "G-code to IGES: lines (110), arcs (100) and points (116) in 80-column records; NAME "
    "(default: the input's file name) names the product and file in the global section",
    {"caption", "timestamp"},
    1,
    runGcode2Iges,
    runGcode2IgesIntoSink,
}};

}  // namespace
}  // namespace talmir::cli
