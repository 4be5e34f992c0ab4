// talmir-convert replace --find S --replace R INPUT: the replace dialog over a file.

#include "cli/Command.h"
#include "cli/ToolText.h"

#include "core/editor/Replace.h"

namespace talmir::cli {
namespace {

Outcome runReplace(const Arguments& args, const std::vector<std::string>& inputs) {
    const auto find = args.get("find");
    const auto replacement = args.get("replace");
    if (!find || !replacement) {
        return Outcome::usage("talmir-convert replace: give --find TEXT and --replace TEXT\n");
    }
    const auto findText = commandLineText(*find);
    const auto replacementText = commandLineText(*replacement);
    if (!findText || !replacementText) {
        return Outcome::usage("talmir-convert replace: " + std::string(kNotShiftJis));
    }
    editor::Replaced result = editor::replaceAll(inputs[0], *findText, *replacementText);
    Outcome outcome;
    outcome.output = std::move(result.text);
    outcome.errors = editor::replacedMessage(result.count) + "\n";
    return outcome;
}

const CommandRegistration kReplace{{
    "replace",
    "--find TEXT --replace TEXT INPUT [-o OUTPUT]",
    "replace every occurrence of TEXT as the replace dialog does (no stepping back); "
    "the count on standard error",
    {"find", "replace"},
    1,
    runReplace,
}};

}  // namespace
}  // namespace talmir::cli
