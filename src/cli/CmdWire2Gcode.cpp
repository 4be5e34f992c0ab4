// talmir-convert wire2gcode INPUT: the G-code the editor's "ワイヤーカットデータ"
// puts in the G-code window: wire state, G92, radius arcs and the G22 shape
// cycles as moves.

#include "cli/OptionTable.h"
#include "core/export/ExportSink.h"

#include "core/import/WireToGcode.h"

namespace talmir::cli {
namespace {

Outcome runWire2Gcode(const NoOptions&, InputBytes& input, exporters::ExportSink& sink) {
    return outcomeOf(importers::wireToGcode(input, sink));
}

const CommandRegistration kWire2Gcode{commandInfo<NoOptions>({
    .name = "wire2gcode",
    .summary = "wire-cut program to G-code (M-code wire state, thousandths, G92, R arcs, G22 "
               "shape cycles)",
    .stream = runWire2Gcode,
})};

}  // namespace
}  // namespace talmir::cli
