// talmir-convert iges2gcode INPUT: the G-code the IGES import puts in the G-code window.

#include "cli/Command.h"

#include "core/import/IgesToGcode.h"

#include <string>

namespace talmir::cli {
namespace {

Outcome runIges2Gcode(const Arguments&, const std::vector<std::string>& inputs) {
    return outcomeOf(importers::igesToGcode(inputs[0]));
}

const CommandRegistration kIges2Gcode{{
    "iges2gcode",
    "INPUT [-o OUTPUT]",
    "IGES file (arcs 100, lines 110, points 116; level as drawing code) to G-code",
    {},
    1,
    runIges2Gcode,
}};

}  // namespace
}  // namespace talmir::cli
