// talmir-convert codetable --table FILE INPUT: every byte of INPUT through a code
// conversion table file.

#include "cli/OptionTable.h"
#include "cli/ToolText.h"

#include "core/editor/CodeTable.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace talmir::cli {
namespace {

struct CodeTableOptions {
    std::string tablePath;
};

Outcome runCodeTable(const CodeTableOptions& options, const Inputs& inputs,
                     exporters::ExportSink& sink) {
    std::error_code error;
    std::ifstream in(options.tablePath, std::ios::binary);
    if (!std::filesystem::is_regular_file(options.tablePath, error) || !in) {
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
    putWhole(sink, editor::applyCodeTable(inputs[0], table.value()));
    return {};
}

const CommandRegistration kCodeTable{commandInfo<CodeTableOptions>({
    .name = "codetable",
    .summary = "convert every byte through a code conversion table (16 lines of 16 hexadecimal "
               "fields)",
    .table = {{text("table", "FILE", &CodeTableOptions::tablePath).needed(Need::NonEmpty)}},
    .run = runCodeTable,
})};

}  // namespace
}  // namespace talmir::cli
