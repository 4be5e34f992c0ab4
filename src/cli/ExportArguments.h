#pragma once
// The options that several export commands share, read from the command line with
// the same spelling and defaults as gcode2dxf, gcode2iges and gcode2gerber:
//   --colours all|same, --colour 1..7               (DXF layer colours)
//   --caption NAME, --timestamp yyyymmddhhnnss      (IGES global section)
//   --unit 0..3, --block-end cr|lf|crlf|star, --rs274x   (Gerber)
// Each gives the options, or the usage outcome naming `command`.

#include "cli/Command.h"

#include "core/export/GcodeToDxf.h"
#include "core/export/GcodeToGerber.h"
#include "core/export/GcodeToIges.h"

#include <string_view>
#include <utility>
#include <variant>

namespace talmir::cli {

std::variant<exporters::DxfOptions, Outcome> dxfColourArguments(const Arguments& args,
                                                                std::string_view command);
std::variant<exporters::IgesOptions, Outcome> igesArguments(const Arguments& args,
                                                            std::string_view command);
std::variant<exporters::GerberOptions, Outcome> gerberArguments(const Arguments& args,
                                                                std::string_view command);

// Runs `convert(options)` with the options `parse` read, or gives its usage outcome.
template <class Parse, class Convert>
Outcome runWithOptions(Parse parse, Convert convert) {
    auto options = parse();
    if (auto* usage = std::get_if<Outcome>(&options)) {
        return std::move(*usage);
    }
    return outcomeOf(convert(std::get<0>(options)));
}

}  // namespace talmir::cli
