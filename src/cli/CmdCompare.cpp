// talmir-convert compare SOURCE OTHER: the file comparison window's verdict, and on
// a difference the 0-based byte position where the files first differ.

#include "cli/Command.h"

#include "core/editor/FileCompare.h"

namespace talmir::cli {
namespace {

Outcome runCompare(const Arguments&, const std::vector<std::string>& inputs) {
    const editor::Comparison comparison = editor::compareFiles(inputs[0], inputs[1]);
    Outcome outcome;
    outcome.output = editor::comparisonMessage(comparison) + "\n";
    if (comparison.differ) {
        outcome.output += std::to_string(comparison.firstDifferentByte) + "\n";
    }
    return outcome;
}

const CommandRegistration kCompare{{
    "compare",
    "SOURCE OTHER [-o OUTPUT]",
    "compare two files byte for byte; prints the verdict and, on a difference, the 0-based "
    "byte position of the first one",
    {},
    2,
    runCompare,
}};

}  // namespace
}  // namespace talmir::cli
