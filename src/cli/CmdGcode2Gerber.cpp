// talmir-convert gcode2gerber [--unit 0..3] [--block-end cr|lf|crlf|star] [--rs274x]
// INPUT: G-code to Gerber with the choices of the Gerber dialog.

#include "cli/Command.h"
#include "cli/ExportArguments.h"

#include "core/export/GcodeToGerber.h"

#include <utility>
#include <variant>

namespace talmir::cli {
namespace {

Outcome runGcode2Gerber(const Arguments& args, const std::vector<std::string>& inputs) {
    auto options = gerberArguments(args, "gcode2gerber");
    if (auto* usage = std::get_if<Outcome>(&options)) {
        return std::move(*usage);
    }
    return outcomeOf(
        exporters::gcodeToGerber(inputs[0], std::get<exporters::GerberOptions>(options)));
}

Outcome runGcode2GerberIntoSink(const Arguments& args, const std::vector<std::string>& inputs,
                                exporters::ExportSink& sink) {
    auto options = gerberArguments(args, "gcode2gerber");
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
