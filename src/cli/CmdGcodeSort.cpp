// talmir-convert gcode-sort INPUT: the G-code window's program regrouped by its
// section lines.

#include "Command.h"

#include "export/GcodeSort.h"

#include <string>

namespace talmir::cli {
namespace {

Outcome runGcodeSort(const Arguments&, const std::vector<std::string>& inputs) {
    auto result = exporters::sortGcode(inputs[0]);
    if (!result) {
        const Failure& f = result.failure();
        std::string message =
            f.number != 0 ? "エラー番号 : " + std::to_string(f.number) + "\n" + f.description
                          : f.description;
        return Outcome::failed(message + "\n");
    }
    Outcome outcome;
    outcome.output = std::move(result).value();
    return outcome;
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
