// talmir-convert hpgl2gcode INPUT: the G-code the HPGL import puts in the G-code window.

#include "cli/OptionTable.h"

#include "core/export/ExportSink.h"
#include "core/import/HpglToGcode.h"

namespace talmir::cli {
namespace {

Outcome runHpgl2Gcode(const NoOptions&, InputBytes& input, exporters::ExportSink& sink) {
    return outcomeOf(importers::hpglToGcode(input, sink));
}

const CommandRegistration kHpgl2Gcode{commandInfo<NoOptions>({
    .name = "hpgl2gcode",
    .summary = "HP-GL plot file (PU, PD, PA, PR, AA, AR, CI, SP) to G-code in millimetres",
    .stream = runHpgl2Gcode,
})};

}  // namespace
}  // namespace talmir::cli
