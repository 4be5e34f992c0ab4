#pragma once
// The subprogram folder of the wire-cut commands (wire-expand, plot --wire): the
// files "O<n>" of --sub DIR, by default the folder "SUB" beside the input.

#include "cli/Command.h"
#include "core/import/WirFmt.h"

#include <filesystem>
#include <optional>
#include <string>

namespace talmir::cli {

// "SUB" in the folder of the first input file.
inline std::string subprogramFolderBeside(const Arguments& args) {
    const std::filesystem::path input = args.positional.empty() ? "" : args.positional[0];
    return (input.parent_path() / "SUB").string();
}

// The expander's options reading the subprograms from `folder`.
inline importers::WirFmtOptions subprogramsIn(const std::string& folder) {
    importers::WirFmtOptions options;
    options.subprogram = [folder](std::string_view name) -> std::optional<std::string> {
        std::string bytes;
        if (!readFile((std::filesystem::path(folder) / name).string(), bytes)) {
            return std::nullopt;
        }
        return bytes;
    };
    return options;
}

}  // namespace talmir::cli
