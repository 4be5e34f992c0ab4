// talmir-convert gcode2hpgl INPUT: G-code to HPGL in plotter units of 0.025 mm.

#include "cli/OptionTable.h"

#include "core/export/GcodeToHpgl.h"

namespace talmir::cli {
namespace {

Outcome runGcode2Hpgl(const NoOptions&, const Inputs& inputs, exporters::ExportSink& sink) {
    return outcomeOf(exporters::gcodeToHpgl(inputs[0], sink));
}

const CommandRegistration kGcode2Hpgl{commandInfo<NoOptions>({
    .name = "gcode2hpgl",
    .summary = "G-code to HPGL: PA moves, AA arcs and CI circles in plotter units (40 per mm); a "
               "program holding D01, D02 or D03 items is not converted",
    .run = runGcode2Hpgl,
    .writesPieces = true,
})};

}  // namespace
}  // namespace talmir::cli
