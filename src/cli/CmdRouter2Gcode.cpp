// talmir-convert router2gcode [--unit 0..2] [--inc] INPUT: the G-code the router
// import puts in the G-code window, with the choices of its options dialog.

#include "cli/Command.h"

#include "core/import/RouterToGcode.h"

#include <string>

namespace talmir::cli {
namespace {

Outcome runRouter2Gcode(const Arguments& args, const std::vector<std::string>& inputs) {
    importers::RouterImportOptions options;
    if (const auto unit = args.get("unit")) {
        if (unit->size() != 1 || (*unit)[0] < '0' || (*unit)[0] > '2') {
            return Outcome::usage("talmir-convert router2gcode: --unit takes 0 to 2\n");
        }
        options.unit = (*unit)[0] - '0';
    }
    options.incremental = args.has("inc");
    return outcomeOf(importers::routerToGcode(inputs[0], options));
}

const CommandRegistration kRouter2Gcode{{
    "router2gcode",
    "[--unit 0..2] [--inc] INPUT [-o OUTPUT]",
    "router (PCB milling) program to G-code: moves with the tool up (Z above 0) become G00, "
    "with the tool down G01; how 1.23 mm is written: unit 0 = 1.23, 1 = 123, "
    "2 = 1230 (default); --inc reads the coordinates as incremental",
    {"unit"},
    1,
    runRouter2Gcode,
}};

}  // namespace
}  // namespace talmir::cli
