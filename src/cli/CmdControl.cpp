// talmir-convert control --find KEY --replace KEY INPUT, or --delete KEY INPUT: the
// control-character dialog over a file. KEY is CrLf, Cr, Lf or literal text.

#include "cli/OptionTable.h"
#include "cli/ToolText.h"

#include "core/editor/ControlChars.h"

namespace talmir::cli {
namespace {

// --find with --replace, or --delete alone (the table sees to it).
struct ControlOptions {
    std::optional<std::string> find;
    std::optional<std::string> replacement;
    std::optional<std::string> remove;
};

Outcome runControl(const ControlOptions& options, const Inputs& inputs,
                   exporters::ExportSink& sink) {
    const bool replacing = options.find.has_value();
    const auto findText = commandLineText(replacing ? *options.find : *options.remove);
    const auto replacementText = commandLineText(replacing ? *options.replacement : "");
    if (!findText || !replacementText) {
        return Outcome::usage(usageMessage("control", kNotShiftJis));
    }
    editor::Replaced result = editor::convertControlChars(
        inputs[0], editor::controlKeyword(*findText), editor::controlKeyword(*replacementText));
    putWhole(sink, std::move(result.text));
    Outcome outcome;
    outcome.errors = (replacing ? editor::controlReplacedMessage(result.count)
                                : editor::controlDeletedMessage(result.count)) +
                     "\n";
    return outcome;
}

const CommandRegistration kControl{commandInfo<ControlOptions>({
    .name = "control",
    .summary =
        "replace or delete line ends or other text as the control-character dialog does (every "
        "occurrence, left to right, without overlapping); "
        "KEY is CrLf, Cr, Lf or literal text; the count on standard error",
    .table = {.options = {text("find", "KEY", &ControlOptions::find),
                          text("replace", "KEY", &ControlOptions::replacement),
                          text("delete", "KEY", &ControlOptions::remove)},
              .alternatives = {{.sets = {{"find", "replace"}, {"delete"}}, .required = true}}},
    .run = runControl,
})};

}  // namespace
}  // namespace talmir::cli
