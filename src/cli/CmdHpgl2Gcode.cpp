// talmir-convert hpgl2gcode INPUT: the G-code the HPGL import puts in the G-code window.

#include "cli/Command.h"

#include "core/import/HpglToGcode.h"

#include <string>

namespace talmir::cli {
namespace {

Outcome runHpgl2Gcode(const Arguments&, const std::vector<std::string>& inputs) {
    return outcomeOf(importers::hpglToGcode(inputs[0]));
}

const CommandRegistration kHpgl2Gcode{{
    "hpgl2gcode",
    "INPUT [-o OUTPUT]",
    "HP-GL plot file (PU, PD, PA, PR, AA, AR, CI, SP) to G-code in millimetres",
    {},
    1,
    runHpgl2Gcode,
}};

}  // namespace
}  // namespace talmir::cli
