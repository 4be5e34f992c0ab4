// talmir-convert gcode-sort INPUT: the G-code window's program regrouped by its
// section lines.

#include "cli/Command.h"

#include "core/export/GcodeSort.h"

#include <string>

namespace talmir::cli {
namespace {

Outcome runGcodeSort(const Arguments&, const std::vector<std::string>& inputs) {
    auto result = exporters::sortGcode(inputs[0]);
    return outcomeOf(std::move(result));
}

const CommandRegistration kGcodeSort{{
    "gcode-sort",
    "INPUT [-o OUTPUT]",
    "G-code regrouped by section lines (each once), motion lines under their section",
    {},
    1,
    runGcodeSort,
}};

}  // namespace
}  // namespace talmir::cli
