// talmir-convert holes2gerber [--unit 0..3] [--block-end cr|lf|crlf|star] [--rs274x]
// INPUT: hole data to Gerber flashes with the choices of the Gerber dialog.

#include "cli/ExportOptions.h"

#include "core/export/HolesToGerber.h"

namespace talmir::cli {
namespace {

Outcome runHoles2Gerber(const exporters::GerberOptions& options, const Inputs& inputs,
                        exporters::ExportSink& sink) {
    return outcomeOf(exporters::holesToGerber(inputs[0], options, sink));
}

const CommandRegistration kHoles2Gerber{commandInfo<exporters::GerberOptions>({
    .name = "holes2gerber",
    .summary = "hole data to Gerber: an aperture per tool definition, D codes for tool "
               "selections, D03 flashes; unit and block end as gcode2gerber (2 and star by "
               "default)",
    .table = {gerberOptions()},
    .run = runHoles2Gerber,
    .writesPieces = true,
})};

}  // namespace
}  // namespace talmir::cli
