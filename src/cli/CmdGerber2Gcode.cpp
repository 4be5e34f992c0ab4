// talmir-convert gerber2gcode [--unit 0..6] [--inc] INPUT: the G-code the Gerber
// import puts in the G-code window, with the choices of its options dialog.

#include "cli/OptionTable.h"

#include "core/import/GerberToGcode.h"

namespace talmir::cli {
namespace {

using importers::GerberImportOptions;

Outcome runGerber2Gcode(const GerberImportOptions& options, const Inputs& inputs,
                        exporters::ExportSink& sink) {
    return outcomeOf(importers::gerberToGcode(inputs[0], options), sink);
}

const CommandRegistration kGerber2Gcode{commandInfo<GerberImportOptions>({
    .name = "gerber2gcode",
    .summary = "Gerber to G-code; how 1.23 mm is written: unit 0 = 1.23, 1 = 123, 2 = 1230 "
               "(default), 3 = 12300, 4 = X00123 (leading zeros, 3 integer digits), 5 = X000123 "
               "(4 integer digits), 6 = 123000; --inc reads the coordinates as incremental",
    .table = {{
        integer("unit", &GerberImportOptions::unit, 0, 6),
        flag("inc", &GerberImportOptions::incremental),
    }},
    .run = runGerber2Gcode,
})};

}  // namespace
}  // namespace talmir::cli
