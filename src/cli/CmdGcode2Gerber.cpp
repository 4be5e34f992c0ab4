// talmir-convert gcode2gerber [--unit 0..3] [--block-end cr|lf|crlf|star] [--rs274x]
// INPUT: G-code to Gerber with the choices of the Gerber dialog.

#include "cli/ExportOptions.h"

#include "core/export/GcodeToGerber.h"

namespace talmir::cli {
namespace {

Outcome runGcode2Gerber(const exporters::GerberOptions& options, const Inputs& inputs,
                        exporters::ExportSink& sink) {
    return outcomeOf(exporters::gcodeToGerber(inputs[0], options, sink));
}

const CommandRegistration kGcode2Gerber{commandInfo<exporters::GerberOptions>({
    .name = "gcode2gerber",
    .summary = "G-code to Gerber: unit 0 = 1.2345 mm, 1 = 123, 2 = 1235 (default), 3 = 12345; "
               "block end star (default) or a line end; --rs274x writes a complete RS-274X file",
    .table = {gerberOptions()},
    .run = runGcode2Gerber,
    .writesPieces = true,
})};

}  // namespace
}  // namespace talmir::cli
