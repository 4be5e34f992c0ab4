// talmir-convert holes [options] INPUT: the hole data that "穴データ..." puts in the
// hole-data window, with every choice of its options dialog as a flag; --guess
// takes the options not given from the text's own evidence and says so.

#include "cli/Command.h"

#include "core/export/ExportSink.h"
#include "core/import/DrillGuess.h"
#include "core/import/DrillToHoles.h"

#include <string>

namespace talmir::cli {
namespace {

bool ruleNumber(const Arguments& args, std::string_view name, int last, int& rule) {
    const auto value = args.get(name);
    if (!value) {
        return true;
    }
    if (value->size() != 1 || (*value)[0] < '0' || (*value)[0] > '0' + last) {
        return false;
    }
    rule = (*value)[0] - '0';
    return true;
}

Outcome runHoles(const Arguments& args, InputBytes& input, exporters::ExportSink& sink) {
    importers::DrillOptions options;
    std::string errors;
    if (args.has("guess")) {
        const importers::DrillGuess guess = importers::guessDrillFormat(input.bytes());
        options = guess.options;
        errors = "talmir-convert holes: " + guess.summary + "\n";
    }
    if (const auto unit = args.get("unit")) {
        if (!importers::coordinateUnitFromName(*unit, options.unit)) {
            return Outcome::usage(
                "talmir-convert holes: --unit takes 0 to 14 or inch, inch-2.3-lz, inch-2.3-tz, "
                "inch-2.4-lz, inch-2.4-tz, inch-3.3-lz, inch-3.3-tz, millionths\n");
        }
    }
    if (args.has("inc")) {
        options.incremental = true;
    }
    if (args.has("abs")) {
        options.incremental = false;
    }
    int holeRule = static_cast<int>(options.holeRule);
    int toolRule = static_cast<int>(options.toolRule);
    if (!ruleNumber(args, "hole-rule", 2, holeRule) ||
        !ruleNumber(args, "tool-rule", 1, toolRule)) {
        return Outcome::usage(
            "talmir-convert holes: --hole-rule takes 0 to 2, --tool-rule 0 or 1\n");
    }
    options.holeRule = static_cast<importers::DrillHoleRule>(holeRule);
    options.toolRule = static_cast<importers::DrillToolRule>(toolRule);
    options.holeCode = args.get("hole-code").value_or(options.holeCode);
    options.cycleCode = args.get("cycle").value_or(options.cycleCode);
    options.cancelCode = args.get("cancel").value_or(options.cancelCode);
    options.toolCode = args.get("tool-code").value_or(options.toolCode);
    Outcome outcome = outcomeOf(importers::drillToHoles(input, sink, options));
    outcome.errors = errors + outcome.errors;
    return outcome;
}

CommandInfo holesCommand() {
    CommandInfo info;
    info.name = "holes";
    info.synopsis =
        "[--guess] [--unit N] [--inc|--abs] [--hole-rule 0..2] [--hole-code TEXT] "
        "[--cycle TEXT --cancel TEXT] [--tool-rule 0|1] [--tool-code TEXT] INPUT [-o OUTPUT]";
    info.summary =
        "drill data to hole data; --unit says how 1.23 mm is written: 0 = X1.23, 1 = X123 "
        "(default), 2 = X1230, 3 = X12300, 4 = X00123 (leading zeros, 3.3), 5 = X000123 (4.3), "
        "6 = X123000; inches: 7 or inch (decimal point), inch-2.3-lz, inch-2.3-tz, inch-2.4-lz, "
        "inch-2.4-tz, inch-3.3-lz, inch-3.3-tz (8 to 13), 14 or millionths = X1230000; "
        "--hole-rule 0 every block with coordinates is a hole (default), 1 blocks holding "
        "--hole-code (D03), 2 blocks while --cycle (G81) is on until --cancel (G80); "
        "--tool-rule 0 a block without coordinates starts a tool (default), 1 blocks holding "
        "--tool-code (T) are tools; --guess takes the options not given from the file's header "
        "and numbers and prints the guess on standard error";
    info.valueOptions = {"unit",   "hole-rule", "hole-code", "cycle",
                         "cancel", "tool-rule", "tool-code"};
    // The input is mapped and read twice; the hole data goes out as it is made.
    info.runStreaming = runHoles;
    info.writesPieces = true;
    info.run = [](const Arguments& args, const Inputs& inputs, exporters::ExportSink& sink) {
        return runOnBytes(runHoles, args, inputs, sink);
    };
    return info;
}

const CommandRegistration kHoles{holesCommand()};

}  // namespace
}  // namespace talmir::cli
