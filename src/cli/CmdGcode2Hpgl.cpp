// talmir-convert gcode2hpgl INPUT: G-code to HPGL in plotter units of 0.025 mm.

#include "cli/Command.h"

#include "core/export/GcodeToHpgl.h"

namespace talmir::cli {
namespace {

Outcome runGcode2Hpgl(const Arguments&, const std::vector<std::string>& inputs) {
    auto hpgl = exporters::gcodeToHpgl(inputs[0]);
    return outcomeOf(std::move(hpgl));
}

Outcome runGcode2HpglIntoSink(const Arguments&, const std::vector<std::string>& inputs,
                              exporters::ExportSink& sink) {
    return outcomeOf(exporters::gcodeToHpgl(inputs[0], sink));
}

const CommandRegistration kGcode2Hpgl{{
    "gcode2hpgl",
    "INPUT [-o OUTPUT]",
    "G-code to HPGL: PA moves, AA arcs and CI circles in plotter units (40 per mm); a "
    "program holding D01, D02 or D03 items is not converted",
    {},
    1,
    runGcode2Hpgl,
    runGcode2HpglIntoSink,
}};

}  // namespace
}  // namespace talmir::cli
