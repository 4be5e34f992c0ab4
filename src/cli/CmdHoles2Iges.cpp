// talmir-convert holes2iges [--caption NAME] [--timestamp yyyymmddhhnnss] INPUT: hole
// data to IGES full circles. The caption defaults to the input's file name; the date
// and time come from the clock unless --timestamp fixes them.

#include "cli/Command.h"
#include "cli/ExportArguments.h"

#include "core/export/HolesToIges.h"

namespace talmir::cli {
namespace {

constexpr std::string_view kName = "holes2iges";

Outcome runHoles2Iges(const Arguments& args, const std::vector<std::string>& inputs) {
    return runWithOptions([&] { return igesArguments(args, kName); },
                          [&](const exporters::IgesOptions& options) {
                              return exporters::holesToIges(inputs[0], options);
                          });
}

Outcome runHoles2IgesIntoSink(const Arguments& args, const std::vector<std::string>& inputs,
                              exporters::ExportSink& sink) {
    return runWithOptions([&] { return igesArguments(args, kName); },
                          [&](const exporters::IgesOptions& options) {
                              return exporters::holesToIges(inputs[0], options, sink);
                          });
}

const CommandRegistration kHoles2Iges{{
    std::string(kName),
    "[--caption NAME] [--timestamp yyyymmddhhnnss] INPUT [-o OUTPUT]",
    "hole data to IGES: one full circle (100) per hole, level = the tool's position; NAME "
    "(default: the input's file name) names the product and file in the global section",
    {"caption", "timestamp"},
    1,
    runHoles2Iges,
    runHoles2IgesIntoSink,
}};

}  // namespace
}  // namespace talmir::cli
