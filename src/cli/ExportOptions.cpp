#include "cli/ExportOptions.h"

#include "core/text/ShiftJis.h"

#include <ctime>
#include <string>

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

}  // namespace

exporters::DxfOptions DxfColourChoice::dxfOptions() const {
    // The colour of a row does not depend on the number of rows, so the colours of
    // the largest layer table serve every input.
    exporters::DxfOptions options;
    options.colours = exporters::dxfDialogColours(mode, colour, exporters::kMaxDxfLayers);
    return options;
}

std::vector<Option<DxfColourChoice>> dxfColourOptions() {
    using exporters::DxfColourMode;
    return {
        words("colours", &DxfColourChoice::mode,
              {{"all", DxfColourMode::All}, {"same", DxfColourMode::Same}}),
        integer("colour", &DxfColourChoice::colour, 1, 7),
    };
}

std::vector<Option<exporters::IgesOptions>> igesOptions() {
    using exporters::IgesOptions;
    return {
        // The caption is typed in UTF-8; the file holds Shift-JIS.
        value<IgesOptions>("caption", "NAME",
                           [](IgesOptions& options, std::string_view caption) {
                               options.caption = text::utf8ToShiftJis(caption);
                               return true;
                           })
            .orElse([](IgesOptions& options, const Arguments& args) {
                if (!args.positional.empty()) {
                    options.caption = text::utf8ToShiftJis(baseName(args.positional[0]));
                }
            }),
        value<IgesOptions>("timestamp", "yyyymmddhhnnss",
                           [](IgesOptions& options, std::string_view stamp) {
                               if (stamp.size() != 14 || !isDigits(stamp)) {
                                   return false;
                               }
                               options.date = stamp.substr(0, 8);
                               options.time = stamp.substr(8);
                               return true;
                           })
            .orElse([](IgesOptions& options, const Arguments&) {
                clockStamp(options.date, options.time);
            }),
    };
}

std::vector<Option<exporters::GerberOptions>> gerberOptions() {
    using exporters::GerberBlockEnd;
    using exporters::GerberOptions;
    return {
        // The four number formats of the dialog, by their place in it.
        words("unit", &GerberOptions::unit, {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}})
            .shownAs("0..3"),
        words("block-end", &GerberOptions::blockEnd,
              {{"cr", GerberBlockEnd::Cr},
               {"lf", GerberBlockEnd::Lf},
               {"crlf", GerberBlockEnd::CrLf},
               {"star", GerberBlockEnd::Star}}),
        flag("rs274x", &GerberOptions::rs274x),
    };
}

}  // namespace talmir::cli
