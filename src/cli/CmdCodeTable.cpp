// talmir-convert codetable --table FILE INPUT: every byte of INPUT through a code
// conversion table file.

#include "cli/Command.h"
#include "cli/ToolText.h"

#include "core/editor/CodeTable.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace talmir::cli {
namespace {

Outcome runCodeTable(const Arguments& args, const std::vector<std::string>& inputs) {
    const auto tablePath = args.get("table");
    if (!tablePath || tablePath->empty()) {
        return Outcome::usage("talmir-convert codetable: give --table FILE\n");
    }
    std::error_code error;
    std::ifstream in(*tablePath, std::ios::binary);
    if (!std::filesystem::is_regular_file(*tablePath, error) || !in) {
        return Outcome::failed(errorReport(Failure{53, "ファイルが見つかりません。"}));
    }
    std::string tableBytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return Outcome::failed(errorReport(Failure{53, "ファイルが見つかりません。"}));
    }
    const auto table = editor::readCodeTable(tableBytes);
    if (!table) {
        return Outcome::failed(errorReport(table.failure()));
    }
    Outcome outcome;
    outcome.output = editor::applyCodeTable(inputs[0], table.value());
    return outcome;
}

const CommandRegistration kCodeTable{{
    "codetable",
    "--table FILE INPUT [-o OUTPUT]",
    "convert every byte through a code conversion table (16 lines of 16 hexadecimal fields)",
    {"table"},
    1,
    runCodeTable,
}};

}  // namespace
}  // namespace talmir::cli
