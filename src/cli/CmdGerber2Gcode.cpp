// talmir-convert gerber2gcode [--unit 0..6] [--inc] INPUT: the G-code the Gerber
// import puts in the G-code window, with the choices of its options dialog.

#include "cli/Command.h"

#include "core/import/GerberToGcode.h"

#include <string>

namespace talmir::cli {
namespace {

Outcome runGerber2Gcode(const Arguments& args, const std::vector<std::string>& inputs) {
    importers::GerberImportOptions options;
    if (const auto unit = args.get("unit")) {
        if (unit->size() != 1 || (*unit)[0] < '0' || (*unit)[0] > '6') {
            return Outcome::usage("talmir-convert gerber2gcode: --unit takes 0 to 6\n");
        }
        options.unit = (*unit)[0] - '0';
    }
    options.incremental = args.has("inc");
    return outcomeOf(importers::gerberToGcode(inputs[0], options));
}

const CommandRegistration kGerber2Gcode{{
    "gerber2gcode",
    "[--unit 0..6] [--inc] INPUT [-o OUTPUT]",
    "Gerber to G-code; how 1.23 mm is written: unit 0 = 1.23, 1 = 123, 2 = 1230 (default), "
    "3 = 12300, 4 = X00123 (leading zeros, 3 integer digits), 5 = X000123 (4 integer digits), "
    "6 = 123000; --inc reads the coordinates as incremental",
    {"unit"},
    1,
    runGerber2Gcode,
}};

}  // namespace
}  // namespace talmir::cli
