// talmir-convert holes2iges [--caption NAME] [--timestamp yyyymmddhhnnss] INPUT: hole
// data to IGES full circles. The caption defaults to the input's file name; the date
// and time come from the clock unless --timestamp fixes them.

#include "cli/ExportOptions.h"

#include "core/export/HolesToIges.h"

namespace talmir::cli {
namespace {

Outcome runHoles2Iges(const exporters::IgesOptions& options, const Inputs& inputs,
                      exporters::ExportSink& sink) {
    return outcomeOf(exporters::holesToIges(inputs[0], options, sink));
}

const CommandRegistration kHoles2Iges{commandInfo<exporters::IgesOptions>({
    .name = "holes2iges",
    .summary = "hole data to IGES: one full circle (100) per hole, level = the tool's position; "
               "NAME (default: the input's file name) names the product and file in the global "
               "section",
    .table = {igesOptions()},
    .run = runHoles2Iges,
    .writesPieces = true,
})};

}  // namespace
}  // namespace talmir::cli
