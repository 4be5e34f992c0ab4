// talmir-convert control --find KEY --replace KEY INPUT, or --delete KEY INPUT: the
// control-character dialog over a file. KEY is CrLf, Cr, Lf or literal text.

#include "cli/Command.h"
#include "cli/ToolText.h"

#include "core/editor/ControlChars.h"

namespace talmir::cli {
namespace {

Outcome runControl(const Arguments& args, const std::vector<std::string>& inputs) {
    const auto find = args.get("find");
    const auto replacement = args.get("replace");
    const auto remove = args.get("delete");
    const bool replacing = find && replacement && !remove;
    const bool deleting = remove && !find && !replacement;
    if (!replacing && !deleting) {
        return Outcome::usage(
            "talmir-convert control: give --find KEY --replace KEY, or --delete KEY\n");
    }
    const auto findText = commandLineText(replacing ? *find : *remove);
    const auto replacementText = commandLineText(replacing ? *replacement : std::string());
    if (!findText || !replacementText) {
        return Outcome::usage("talmir-convert control: " + std::string(kNotShiftJis));
    }
    editor::Replaced result = editor::convertControlChars(
        inputs[0], editor::controlKeyword(*findText), editor::controlKeyword(*replacementText));
    Outcome outcome;
    outcome.output = std::move(result.text);
    outcome.errors = (replacing ? editor::controlReplacedMessage(result.count)
                                : editor::controlDeletedMessage(result.count)) +
                     "\n";
    return outcome;
}

const CommandRegistration kControl{{
    "control",
    "(--find KEY --replace KEY | --delete KEY) INPUT [-o OUTPUT]",
    "replace or delete line ends or other text as the control-character dialog does; "
    "KEY is CrLf, Cr, Lf or literal text; the count on standard error",
    {"find", "replace", "delete"},
    1,
    runControl,
}};

}  // namespace
}  // namespace talmir::cli
