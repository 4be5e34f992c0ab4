// talmir-convert gerber2gcode [--guess] [--unit N] [--inc] INPUT: the G-code the
// Gerber import puts in the G-code window, with the choices of its options dialog;
// --guess takes the unit and mode not given from the data's own format statement.

#include "cli/Command.h"

#include "core/Pieces.h"
#include "core/export/ExportSink.h"
#include "core/import/CoordinateUnits.h"
#include "core/import/DrillGuess.h"
#include "core/import/GerberToGcode.h"

#include <string>

namespace talmir::cli {
namespace {

Outcome runGerber2Gcode(const Arguments& args, InputBytes& input, exporters::ExportSink& sink) {
    importers::GerberImportOptions options;
    std::string errors;
    if (args.has("guess")) {
        const importers::GerberGuess guess = importers::guessGerberFormat(input.bytes());
        options.unit = guess.unit;
        options.incremental = guess.incremental;
        errors = "talmir-convert gerber2gcode: " + guess.summary + "\n";
    }
    if (const auto unit = args.get("unit")) {
        importers::CoordinateUnit chosen{};
        if (!importers::coordinateUnitFromName(*unit, chosen)) {
            return Outcome::usage(
                "talmir-convert gerber2gcode: --unit takes 0 to 14 or inch, inch-2.3-lz, "
                "inch-2.3-tz, inch-2.4-lz, inch-2.4-tz, inch-3.3-lz, inch-3.3-tz, millionths\n");
        }
        options.unit = static_cast<int>(chosen);
    }
    if (args.has("inc")) {
        options.incremental = true;
    }
    Outcome outcome = outcomeOf(importers::gerberToGcode(input, sink, options));
    outcome.errors = errors + outcome.errors;
    return outcome;
}

const CommandRegistration kGerber2Gcode{{
    "gerber2gcode",
    "[--guess] [--unit N] [--inc] INPUT [-o OUTPUT]",
    "Gerber to G-code; how 1.23 mm is written: unit 0 = 1.23, 1 = 123, 2 = 1230 (default), "
    "3 = 12300, 4 = X00123 (leading zeros, 3 integer digits), 5 = X000123 (4 integer digits), "
    "6 = 123000; inches (turned into millimetres): 7 or inch (decimal point), 8 inch-2.3-lz, "
    "9 inch-2.3-tz, 10 inch-2.4-lz, 11 inch-2.4-tz, 12 inch-3.3-lz, 13 inch-3.3-tz; 14 or "
    "millionths = 1230000; --inc reads the coordinates as incremental; --guess takes the unit "
    "and mode from the data's %FS and %MO statements and prints the guess on standard error",
    {"unit"},
    1,
    [](const Arguments& args, const Inputs& inputs, exporters::ExportSink& sink) {
        return runOnBytes(runGerber2Gcode, args, inputs, sink);
    },
    true,
    runGerber2Gcode,
}};

}  // namespace
}  // namespace talmir::cli
