// talmir-convert compare SOURCE OTHER: the file comparison window's verdict, and on
// a difference the 0-based byte position where the files first differ.

#include "cli/OptionTable.h"

#include "core/editor/FileCompare.h"

namespace talmir::cli {
namespace {

Outcome runCompare(const NoOptions&, const Inputs& inputs, exporters::ExportSink& sink) {
    const editor::Comparison comparison = editor::compareFiles(inputs[0], inputs[1]);
    std::string verdict = editor::comparisonMessage(comparison) + "\n";
    if (comparison.differ) {
        verdict += std::to_string(comparison.firstDifferentByte) + "\n";
    }
    putWhole(sink, std::move(verdict));
    return {};
}

const CommandRegistration kCompare{commandInfo<NoOptions>({
    .name = "compare",
    .summary = "compare two files byte for byte; prints the verdict and, on a difference, the "
               "0-based byte position of the first one",
    .run = runCompare,
    .inputs = {"SOURCE", "OTHER"},
})};

}  // namespace
}  // namespace talmir::cli
