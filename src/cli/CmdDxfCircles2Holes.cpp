// talmir-convert dxfcircles2holes INPUT: the hole data that "DXFを穴データへ" puts in
// the hole-data window: one tool per layer of circles.

#include "cli/OptionTable.h"

#include "core/export/ExportSink.h"
#include "core/import/DxfCirclesToHoles.h"

namespace talmir::cli {
namespace {

Outcome runDxfCircles2Holes(const NoOptions&, InputBytes& input, exporters::ExportSink& sink) {
    return outcomeOf(importers::dxfCirclesToHoles(input, sink));
}

const CommandRegistration kDxfCircles2Holes{commandInfo<NoOptions>({
    .name = "dxfcircles2holes",
    .summary = "DXF drawing to hole data: every CIRCLE of the ENTITIES section is a hole, every "
               "layer with circles a tool (T01, T02, ...) with the diameter of its last circle",
    .stream = runDxfCircles2Holes,
})};

}  // namespace
}  // namespace talmir::cli
