// talmir-convert iges2gcode INPUT: the G-code the IGES import puts in the G-code window.

#include "cli/OptionTable.h"

#include "core/export/ExportSink.h"
#include "core/import/IgesToGcode.h"

namespace talmir::cli {
namespace {

Outcome runIges2Gcode(const NoOptions&, InputBytes& input, exporters::ExportSink& sink) {
    return outcomeOf(importers::igesToGcode(input, sink));
}

const CommandRegistration kIges2Gcode{commandInfo<NoOptions>({
    .name = "iges2gcode",
    .summary = "IGES file (arcs 100, lines 110, points 116; level as drawing code) to G-code",
    .stream = runIges2Gcode,
})};

}  // namespace
}  // namespace talmir::cli
