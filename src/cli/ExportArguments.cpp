#include "cli/ExportArguments.h"

#include "core/text/ShiftJis.h"

#include <ctime>
#include <string>

namespace talmir::cli {

namespace {

Outcome usage(std::string_view command, std::string_view message) {
    return Outcome::usage("talmir-convert " + std::string(command) + ": " + std::string(message) +
                          "\n");
}

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

}  // namespace

std::variant<exporters::DxfOptions, Outcome> dxfColourArguments(const Arguments& args,
                                                                std::string_view command) {
    using exporters::DxfColourMode;
    DxfColourMode mode = DxfColourMode::All;
    if (const auto colours = args.get("colours")) {
        if (*colours == "same") {
            mode = DxfColourMode::Same;
        } else if (*colours != "all") {
            return usage(command, "--colours takes all or same");
        }
    }
    int common = 5;
    if (const auto colour = args.get("colour")) {
        if (colour->size() != 1 || (*colour)[0] < '1' || (*colour)[0] > '7') {
            return usage(command, "--colour takes 1 to 7");
        }
        common = (*colour)[0] - '0';
    }
    // The colour of a row does not depend on the number of rows, so the colours of
    // the largest layer table serve every input.
    exporters::DxfOptions options;
    options.colours = exporters::dxfDialogColours(mode, common, exporters::kMaxDxfLayers);
    return options;
}

std::variant<exporters::IgesOptions, Outcome> igesArguments(const Arguments& args,
                                                            std::string_view command) {
    exporters::IgesOptions options;
    if (const auto stamp = args.get("timestamp")) {
        if (stamp->size() != 14 || !isDigits(*stamp)) {
            return usage(command, "--timestamp takes yyyymmddhhnnss");
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

std::variant<exporters::GerberOptions, Outcome> gerberArguments(const Arguments& args,
                                                                std::string_view command) {
    exporters::GerberOptions options;
    if (const auto unit = args.get("unit")) {
        if (unit->size() != 1 || (*unit)[0] < '0' || (*unit)[0] > '3') {
            return usage(command, "--unit takes 0, 1, 2 or 3");
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
            return usage(command, "--block-end takes cr, lf, crlf or star");
        }
    }
    options.rs274x = args.has("rs274x");
    return options;
}

}  // namespace talmir::cli
