// talmir-convert gcode2iges [--caption NAME] [--timestamp yyyymmddhhnnss] INPUT:
// G-code to IGES. The caption defaults to the input's file name; the date and time
// come from the clock unless --timestamp fixes them.

#include "cli/Command.h"

#include "core/export/GcodeToIges.h"
#include "core/text/ShiftJis.h"

#include <ctime>
#include <utility>
#include <variant>

namespace talmir::cli {
namespace {

bool isDigits(std::string_view s) {
    for (char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// yyyymmdd and hhnnss of the local clock.
void clockStamp(std::string& date, std::string& time) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y%m%d", &local);
    date = buf;
    std::strftime(buf, sizeof buf, "%H%M%S", &local);
    time = buf;
}

// The options of the command line, or the usage message.
std::variant<exporters::IgesOptions, Outcome> igesOptions(const Arguments& args) {
    exporters::IgesOptions options;
    if (const auto stamp = args.get("timestamp")) {
        if (stamp->size() != 14 || !isDigits(*stamp)) {
            return Outcome::usage("talmir-convert gcode2iges: --timestamp takes yyyymmddhhnnss\n");
        }
        options.date = stamp->substr(0, 8);
        options.time = stamp->substr(8);
    } else {
        clockStamp(options.date, options.time);
    }
    // The caption is typed in UTF-8; the file holds Shift-JIS.
    if (const auto caption = args.get("caption")) {
        options.caption = text::utf8ToShiftJis(*caption);
    } else if (!args.positional.empty()) {
        options.caption = text::utf8ToShiftJis(baseName(args.positional[0]));
    }
    return options;
}

Outcome runGcode2Iges(const Arguments& args, const std::vector<std::string>& inputs) {
    auto options = igesOptions(args);
    if (auto* usage = std::get_if<Outcome>(&options)) {
        return std::move(*usage);
    }
    return outcomeOf(exporters::gcodeToIges(inputs[0], std::get<exporters::IgesOptions>(options)));
}

Outcome runGcode2IgesIntoSink(const Arguments& args, const std::vector<std::string>& inputs,
                              exporters::ExportSink& sink) {
    auto options = igesOptions(args);
    if (auto* usage = std::get_if<Outcome>(&options)) {
        return std::move(*usage);
    }
    return outcomeOf(
        exporters::gcodeToIges(inputs[0], std::get<exporters::IgesOptions>(options), sink));
}

const CommandRegistration kGcode2Iges{{
    "gcode2iges",
    "[--caption NAME] [--timestamp yyyymmddhhnnss] INPUT [-o OUTPUT]",
    "G-code to IGES: lines (110), arcs (100) and points (116) in 80-column records; NAME "
    "(default: the input's file name) names the product and file in the global section",
    {"caption", "timestamp"},
    1,
    runGcode2Iges,
    runGcode2IgesIntoSink,
}};

}  // namespace
}  // namespace talmir::cli
