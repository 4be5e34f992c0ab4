// talmir-convert gcode2iges [--caption NAME] [--timestamp yyyymmddhhnnss] INPUT:
// G-code to IGES. The caption defaults to the input's file name; the date and time
// come from the clock unless --timestamp fixes them.

#include "cli/ExportOptions.h"

#include "core/export/GcodeToIges.h"

namespace talmir::cli {
namespace {

Outcome runGcode2Iges(const exporters::IgesOptions& options, const Inputs& inputs,
                      exporters::ExportSink& sink) {
    return outcomeOf(exporters::gcodeToIges(inputs[0], options, sink));
}

const CommandRegistration kGcode2Iges{commandInfo<exporters::IgesOptions>({
    .name = "gcode2iges",
    .summary = "G-code to IGES: lines (110), arcs (100) and points (116) in 80-column records; "
               "NAME (default: the input's file name) names the product and file in the global "
               "section",
    .table = {igesOptions()},
    .run = runGcode2Iges,
    .writesPieces = true,
})};

}  // namespace
}  // namespace talmir::cli
