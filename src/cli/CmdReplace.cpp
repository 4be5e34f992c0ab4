// talmir-convert replace --find S --replace R INPUT: the replace dialog over a file.

#include "cli/OptionTable.h"
#include "cli/ToolText.h"

#include "core/editor/Replace.h"

namespace talmir::cli {
namespace {

struct ReplaceOptions {
    std::string find;
    std::string replacement;
};

Outcome runReplace(const ReplaceOptions& options, const Inputs& inputs,
                   exporters::ExportSink& sink) {
    const auto findText = commandLineText(options.find);
    const auto replacementText = commandLineText(options.replacement);
    if (!findText || !replacementText) {
        return Outcome::usage(usageMessage("replace", kNotShiftJis));
    }
    editor::Replaced result = editor::replaceAll(inputs[0], *findText, *replacementText);
    putWhole(sink, std::move(result.text));
    Outcome outcome;
    outcome.errors = editor::replacedMessage(result.count) + "\n";
    return outcome;
}

const CommandRegistration kReplace{commandInfo<ReplaceOptions>({
    .name = "replace",
    .summary = "replace TEXT as the replace dialog does: every occurrence, left to right, "
               "without overlapping; the count on standard error",
    .table = {{
        text("find", "TEXT", &ReplaceOptions::find).needed(Need::Required),
        text("replace", "TEXT", &ReplaceOptions::replacement).needed(Need::Required),
    }},
    .run = runReplace,
})};

}  // namespace
}  // namespace talmir::cli
