// talmir-convert dxfcircles2holes INPUT: the hole data that "DXFを穴データへ" puts in
// the hole-data window: one tool per layer of circles.

#include "cli/Command.h"

#include "core/import/DxfCirclesToHoles.h"

namespace talmir::cli {
namespace {

Outcome runDxfCircles2Holes(const Arguments&, const std::vector<std::string>& inputs) {
    return outcomeOf(importers::dxfCirclesToHoles(inputs[0]));
}

const CommandRegistration kDxfCircles2Holes{{
    "dxfcircles2holes",
    "INPUT [-o OUTPUT]",
    "DXF drawing to hole data: every CIRCLE of the ENTITIES section is a hole, every layer "
    "with circles a tool (T01, T02, ...) with the diameter of its last circle",
    {},
    1,
    runDxfCircles2Holes,
}};

}  // namespace
}  // namespace talmir::cli
