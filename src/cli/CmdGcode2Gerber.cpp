// talmir-convert gcode2gerber [--unit 0..3] [--block-end cr|lf|crlf|star] [--rs274x]
// INPUT: G-code to Gerber with the choices of the Gerber dialog.

#include "cli/Command.h"

#include "core/export/GcodeToGerber.h"

#include <utility>
#include <variant>

namespace talmir::cli {
namespace {

// The options of the command line, or the usage message.
std::variant<exporters::GerberOptions, Outcome> gerberOptions(const Arguments& args) {
    exporters::GerberOptions options;
    if (const auto unit = args.get("unit")) {
        if (unit->size() != 1 || (*unit)[0] < '0' || (*unit)[0] > '3') {
            return Outcome::usage("talmir-convert gcode2gerber: --unit takes 0, 1, 2 or 3\n");
        }
        options.unit = (*unit)[0] - '0';
    }
    if (const auto end = args.get("block-end")) {
        using exporters::GerberBlockEnd;
        if (*end == "cr") {
            options.blockEnd = GerberBlockEnd::Cr;
        } else if (*end == "lf") {
            options.blockEnd = GerberBlockEnd::Lf;
        } else if (*end == "crlf") {
            options.blockEnd = GerberBlockEnd::CrLf;
        } else if (*end == "star") {
            options.blockEnd = GerberBlockEnd::Star;
        } else {
            return Outcome::usage(
                "talmir-convert gcode2gerber: --block-end takes cr, lf, crlf or star\n");
        }
    }
    options.rs274x = args.has("rs274x");
    return options;
}

Outcome runGcode2Gerber(const Arguments& args, const std::vector<std::string>& inputs) {
    auto options = gerberOptions(args);
    if (auto* usage = std::get_if<Outcome>(&options)) {
        return std::move(*usage);
    }
    return outcomeOf(
        exporters::gcodeToGerber(inputs[0], std::get<exporters::GerberOptions>(options)));
}

Outcome runGcode2GerberIntoSink(const Arguments& args, const std::vector<std::string>& inputs,
                                exporters::ExportSink& sink) {
    auto options = gerberOptions(args);
    if (auto* usage = std::get_if<Outcome>(&options)) {
        return std::move(*usage);
    }
    return outcomeOf(
        exporters::gcodeToGerber(inputs[0], std::get<exporters::GerberOptions>(options), sink));
}

const CommandRegistration kGcode2Gerber{{
    "gcode2gerber",
    "[--unit 0..3] [--block-end cr|lf|crlf|star] [--rs274x] INPUT [-o OUTPUT]",
    "G-code to Gerber: unit 0 = 1.2345 mm, 1 = 123, 2 = 1235 (default), 3 = 12345; block end "
    "star (default) or a line end; --rs274x writes a complete RS-274X file",
    {"unit", "block-end"},
    1,
    runGcode2Gerber,
    runGcode2GerberIntoSink,
}};

}  // namespace
}  // namespace talmir::cli
