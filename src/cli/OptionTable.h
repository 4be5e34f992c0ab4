#pragma once
// The options of one talmir-convert command, declared once as the rows of a table.
// A row names an option (--colour), says what value it takes (none for a flag, an
// integer in a range, one of listed words, a text) and where the value goes in the
// command's options struct. From the table come the names that take a value (so
// that "--colour 3" reads 3 as the value, not as an input file), the synopsis of
// the command's help and usage lines, and the usage messages for an option that is
// missing or has a value the row refuses.
//
// Options are read after the input files: every row takes the last value given for
// its name, in the order of the table, and the first refusal is the usage error.
// A "--name" that no row knows is taken as a flag and passed over, as talmir-convert
// always did.

#include "cli/Command.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace talmir::cli {

enum class Need {
    Optional,
    Required,  // must be given; an empty value counts as given
    NonEmpty,  // must be given, and an empty value counts as not given
};

// What the table knows of a row whatever the options struct of its command.
struct OptionShape {
    std::string name;       // "colour" for --colour
    std::string valueName;  // in the synopsis: "1..7", "all|same", "FILE"; empty for a flag
    Need need = Need::Optional;
};

// Sets of options of which at most one may be given (exactly one when `required`),
// each set whole: the line ends of eol; --find with --replace, or --delete, for
// control. The rows of the sets are Optional; the synopsis shows the sets where
// the first of their rows stands.
struct Alternatives {
    std::vector<std::vector<std::string>> sets;
    bool required = false;
};

template <class Options>
struct Option {
    OptionShape shape;
    // Takes the value given (a flag gets whatever followed "=", mostly nothing);
    // false refuses it.
    std::function<bool(Options&, std::string_view)> take;
    // The usage message when `take` refuses.
    std::string refusal;
    // Fills the options when the option is not given, for a default that depends on
    // the command line or the clock; the struct's own initial value serves otherwise.
    std::function<void(Options&, const Arguments&)> otherwise = {};

    Option shownAs(std::string valueName) && {
        shape.valueName = std::move(valueName);
        return std::move(*this);
    }
    Option needed(Need need) && {
        shape.need = need;
        return std::move(*this);
    }
    Option refusing(std::string message) && {
        refusal = std::move(message);
        return std::move(*this);
    }
    Option orElse(std::function<void(Options&, const Arguments&)> fill) && {
        otherwise = std::move(fill);
        return std::move(*this);
    }
};

// The options struct of a command that takes none.
struct NoOptions {};

template <class Options>
struct OptionTable {
    std::vector<Option<Options>> options;
    std::vector<Alternatives> alternatives = {};
};

// The usage messages the rows give, from what they take.
std::string takesRange(std::string_view name, int lowest, int highest);  // "--colour takes 1 to 7"
std::string takesWords(std::string_view name, const std::vector<std::string>& words);
std::string takesValue(std::string_view name, std::string_view valueName);

// True when `text` is the plain decimal form of a number from `lowest` to
// `highest` (no sign, no leading zero, no blank), the number in `value`.
bool readInteger(std::string_view text, int lowest, int highest, int& value);

// A flag: true when given.
template <class Options>
Option<Options> flag(std::string name, bool Options::*member) {
    return {{std::move(name), {}, Need::Optional},
            [member](Options& options, std::string_view) {
                options.*member = true;
                return true;
            },
            {}};
}

// A flag that gives the member `value` when given: one of several flags that choose
// one setting (eol's --crlf, --cr, --lf).
template <class Options, class T>
Option<Options> flag(std::string name, T Options::*member, T value) {
    return {{std::move(name), {}, Need::Optional},
            [member, value](Options& options, std::string_view) {
                options.*member = value;
                return true;
            },
            {}};
}

// A flag that sets what `set` sets.
template <class Options>
Option<Options> flag(std::string name, std::function<void(Options&)> set) {
    return {{std::move(name), {}, Need::Optional},
            [set = std::move(set)](Options& options, std::string_view) {
                set(options);
                return true;
            },
            {}};
}

// An integer from `lowest` to `highest`, shown as "lowest..highest".
template <class Options>
Option<Options> integer(std::string name, int Options::*member, int lowest, int highest) {
    std::string refusal = takesRange(name, lowest, highest);
    std::string shown = std::to_string(lowest) + ".." + std::to_string(highest);
    return {{std::move(name), std::move(shown), Need::Optional},
            [member, lowest, highest](Options& options, std::string_view text) {
                return readInteger(text, lowest, highest, options.*member);
            },
            std::move(refusal)};
}

// One of the listed words, each standing for a value; shown as "a|b|c".
template <class Options, class T>
Option<Options> words(std::string name, T Options::*member,
                      std::vector<std::pair<std::string, T>> choices) {
    std::vector<std::string> listed;
    std::string shown;
    for (const auto& choice : choices) {
        listed.push_back(choice.first);
        shown += (shown.empty() ? "" : "|") + choice.first;
    }
    std::string refusal = takesWords(name, listed);
    return {{std::move(name), std::move(shown), Need::Optional},
            [member, choices = std::move(choices)](Options& options, std::string_view text) {
                for (const auto& [word, value] : choices) {
                    if (word == text) {
                        options.*member = value;
                        return true;
                    }
                }
                return false;
            },
            std::move(refusal)};
}

// Any text, kept as it is.
template <class Options, class Text>
Option<Options> text(std::string name, std::string valueName, Text Options::*member) {
    return {{std::move(name), std::move(valueName), Need::Optional},
            [member](Options& options, std::string_view value) {
                options.*member = std::string(value);
                return true;
            },
            {}};
}

// A value that `take` reads, refused when `take` gives false.
template <class Options>
Option<Options> value(std::string name, std::string valueName,
                      std::function<bool(Options&, std::string_view)> take) {
    std::string refusal = takesValue(name, valueName);
    return {{std::move(name), std::move(valueName), Need::Optional},
            std::move(take),
            std::move(refusal)};
}

// What a command declares. `run` gets the options read by `table` and the bytes of
// the input files, and hands its output to the sink.
template <class Options>
struct TableCommand {
    std::string name = {};
    std::string summary = {};
    OptionTable<Options> table = {};
    std::function<Outcome(const Options&, const Inputs&, exporters::ExportSink&)> run = {};
    // Instead of `run`, for a conversion that reads its one input as it goes (see
    // CommandInfo::runStreaming).
    std::function<Outcome(const Options&, InputBytes&, exporters::ExportSink&)> stream = {};
    std::vector<std::string> inputs = {"INPUT"};
    // The -o part of the synopsis, and the usage message when -o is required.
    std::string output = "[-o OUTPUT]";
    std::string outputMissing = {};
    bool writesPieces = false;  // see CommandInfo
};

// The synopsis of --help and of the usage line: the options, the inputs, the output.
std::string synopsis(const std::vector<OptionShape>& shapes,
                     const std::vector<Alternatives>& alternatives,
                     const std::vector<std::string>& inputs, std::string_view output);

// The usage message for an option that must be given and is not, or for sets of
// alternatives given wrongly; nullopt when all is well.
std::optional<std::string> missingOption(const std::vector<OptionShape>& shapes,
                                         const std::vector<Alternatives>& alternatives,
                                         const Arguments& args);

// Reads the options of `table` from `args` into `options`; the usage message of
// the first missing or refused option, or nullopt.
template <class Options>
std::optional<std::string> readOptions(const OptionTable<Options>& table,
                                       const std::vector<OptionShape>& shapes,
                                       const Arguments& args, Options& options) {
    if (auto missing = missingOption(shapes, table.alternatives, args)) {
        return missing;
    }
    for (const Option<Options>& option : table.options) {
        if (const auto given = args.get(option.shape.name)) {
            if (!option.take(options, *given)) {
                return option.refusal;
            }
        } else if (option.otherwise) {
            option.otherwise(options, args);
        }
    }
    return std::nullopt;
}

// The options of `args` for `command`, or the outcome that refuses them.
template <class Options>
std::optional<Outcome> refusal(const TableCommand<Options>& command,
                               const std::vector<OptionShape>& shapes, const Arguments& args,
                               Options& options) {
    if (!command.outputMissing.empty() && !args.outputPath) {
        return Outcome::usage(usageMessage(command.name, command.outputMissing));
    }
    if (const auto refused = readOptions(command.table, shapes, args, options)) {
        return Outcome::usage(usageMessage(command.name, *refused));
    }
    return std::nullopt;
}

template <class Options>
CommandInfo commandInfo(TableCommand<Options> command) {
    std::vector<OptionShape> shapes;
    std::vector<std::string> valueOptions;
    for (const Option<Options>& option : command.table.options) {
        shapes.push_back(option.shape);
        if (!option.shape.valueName.empty()) {
            valueOptions.push_back(option.shape.name);
        }
    }
    CommandInfo info;
    info.name = command.name;
    info.synopsis = synopsis(shapes, command.table.alternatives, command.inputs, command.output);
    info.summary = command.summary;
    info.valueOptions = std::move(valueOptions);
    info.inputCount = static_cast<int>(command.inputs.size());
    info.writesPieces = command.writesPieces || command.stream;
    if (command.stream) {
        info.runStreaming = [command, shapes](const Arguments& args, InputBytes& input,
                                              exporters::ExportSink& sink) {
            Options options;
            if (auto refused = refusal(command, shapes, args, options)) {
                return std::move(*refused);
            }
            return command.stream(options, input, sink);
        };
        info.run = [streaming = info.runStreaming](const Arguments& args, const Inputs& inputs,
                                                   exporters::ExportSink& sink) {
            return runOnBytes(streaming, args, inputs, sink);
        };
        return info;
    }
    info.run = [command = std::move(command), shapes = std::move(shapes)](
                   const Arguments& args, const Inputs& inputs, exporters::ExportSink& sink) {
        Options options;
        if (auto refused = refusal(command, shapes, args, options)) {
            return std::move(*refused);
        }
        return command.run(options, inputs, sink);
    };
    return info;
}

}  // namespace talmir::cli
