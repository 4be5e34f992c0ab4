// talmir-convert gcode-sort INPUT: the G-code window's program regrouped by its
// section lines.

#include "cli/OptionTable.h"

#include "core/export/GcodeSort.h"

namespace talmir::cli {
namespace {

Outcome runGcodeSort(const NoOptions&, const Inputs& inputs, exporters::ExportSink& sink) {
    return outcomeOf(exporters::sortGcode(inputs[0]), sink);
}

const CommandRegistration kGcodeSort{commandInfo<NoOptions>({
    .name = "gcode-sort",
    .summary = "G-code regrouped by section lines (each once), motion lines under their section",
    .run = runGcodeSort,
})};

}  // namespace
}  // namespace talmir::cli
