// talmir-convert dxf2gcode INPUT: the G-code the DXF import puts in the G-code window.

#include "cli/OptionTable.h"

#include "core/export/ExportSink.h"
#include "core/import/DxfToGcode.h"

namespace talmir::cli {
namespace {

Outcome runDxf2Gcode(const NoOptions&, InputBytes& input, exporters::ExportSink& sink) {
    return outcomeOf(importers::dxfToGcode(input, sink));
}

const CommandRegistration kDxf2Gcode{commandInfo<NoOptions>({
    .name = "dxf2gcode",
    .summary = "DXF drawing (ENTITIES: LINE, POINT, CIRCLE, ARC, POLYLINE, LWPOLYLINE) to G-code",
    .stream = runDxf2Gcode,
})};

}  // namespace
}  // namespace talmir::cli
