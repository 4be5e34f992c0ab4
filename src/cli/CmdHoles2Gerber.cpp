// talmir-convert holes2gerber [--unit 0..3] [--block-end cr|lf|crlf|star] [--rs274x]
// INPUT: hole data to Gerber flashes with the choices of the Gerber dialog.

#include "cli/Command.h"
#include "cli/ExportArguments.h"

#include "core/export/HolesToGerber.h"

namespace talmir::cli {
namespace {

constexpr std::string_view kName = "holes2gerber";

Outcome runHoles2Gerber(const Arguments& args, const std::vector<std::string>& inputs) {
    return runWithOptions([&] { return gerberArguments(args, kName); },
                          [&](const exporters::GerberOptions& options) {
                              return exporters::holesToGerber(inputs[0], options);
                          });
}

Outcome runHoles2GerberIntoSink(const Arguments& args, const std::vector<std::string>& inputs,
                                exporters::ExportSink& sink) {
    return runWithOptions([&] { return gerberArguments(args, kName); },
                          [&](const exporters::GerberOptions& options) {
                              return exporters::holesToGerber(inputs[0], options, sink);
                          });
}

const CommandRegistration kHoles2Gerber{{
    std::string(kName),
    "[--unit 0..3] [--block-end cr|lf|crlf|star] [--rs274x] INPUT [-o OUTPUT]",
    "hole data to Gerber: an aperture per tool definition, D codes for tool selections, D03 "
    "flashes; unit and block end as gcode2gerber (2 and star by default)",
    {"unit", "block-end"},
    1,
    runHoles2Gerber,
    runHoles2GerberIntoSink,
}};

}  // namespace
}  // namespace talmir::cli
