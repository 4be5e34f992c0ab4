// talmir-convert router2gcode [--unit 0..2] [--inc] INPUT: the G-code the router
// import puts in the G-code window, with the choices of its options dialog.

#include "cli/OptionTable.h"

#include "core/export/ExportSink.h"
#include "core/import/RouterToGcode.h"

namespace talmir::cli {
namespace {

using importers::RouterImportOptions;

Outcome runRouter2Gcode(const RouterImportOptions& options, InputBytes& input,
                        exporters::ExportSink& sink) {
    return outcomeOf(importers::routerToGcode(input, sink, options));
}

const CommandRegistration kRouter2Gcode{commandInfo<RouterImportOptions>({
    .name = "router2gcode",
    .summary = "router (PCB milling) program to G-code: moves with the tool up (Z above 0) "
               "become G00, with the tool down G01; how 1.23 mm is written: unit 0 = 1.23, "
               "1 = 123, 2 = 1230 (default); --inc reads the coordinates as incremental",
    .table = {{
        integer("unit", &RouterImportOptions::unit, 0, 2),
        flag("inc", &RouterImportOptions::incremental),
    }},
    .stream = runRouter2Gcode,
})};

}  // namespace
}  // namespace talmir::cli
