// talmir-convert dxf2gcode INPUT: the G-code the DXF import puts in the G-code window.

#include "cli/Command.h"

#include "core/import/DxfToGcode.h"

#include <string>

namespace talmir::cli {
namespace {

Outcome runDxf2Gcode(const Arguments&, const std::vector<std::string>& inputs) {
    auto result = importers::dxfToGcode(inputs[0]);
    return outcomeOf(std::move(result));
}

const CommandRegistration kDxf2Gcode{{
    "dxf2gcode",
    "INPUT [-o OUTPUT]",
    "DXF drawing (ENTITIES: LINE, POINT, CIRCLE, ARC, POLYLINE, LWPOLYLINE) to G-code",
    {},
    1,
    runDxf2Gcode,
}};

}  // namespace
}  // namespace talmir::cli
