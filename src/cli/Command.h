#pragma once
// The commands of talmir-convert. Each command file declares its options in an
// OptionTable (OptionTable.h) and registers itself with a static
// CommandRegistration, so adding a conversion touches no shared file.
//
// Contract: talmir-convert COMMAND [--option VALUE]... INPUT [-o OUTPUT]
// exit 0 on success, 1 when the conversion reports an error (its message on
// standard error, then the input line where it stopped when it has one), 2 on
// wrong usage.

#include "core/Failure.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talmir {
class InputBytes;
}

namespace talmir::exporters {
class ExportSink;
}

namespace talmir::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Parsed arguments of one command: options in order (flags have an empty value)
// and the positional arguments.
struct Arguments {
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> positional;
    // The -o file, when given (a command whose output format follows the file
    // name reads it; the bytes are still written by the caller).
    std::optional<std::string> outputPath;

    bool has(std::string_view name) const;
    std::optional<std::string> get(std::string_view name) const;
};

// What a command gives back: output bytes, messages for standard error, exit code.
struct Outcome {
    int exitCode = kExitOk;
    std::string output;
    std::string errors;
    // Where in the input a failed conversion stopped (Failure::at); the runner
    // names the line after the message.
    std::optional<std::uint64_t> failedAt = {};

    static Outcome usage(std::string message) { return {kExitUsage, {}, std::move(message)}; }
    static Outcome failed(std::string message) { return {kExitFailed, {}, std::move(message)}; }
};

// A conversion's own error as the window shows it: "エラー番号 : " + number, a line
// feed and the description; a failure numbered 0 or below is a plain message.
std::string failureMessage(const Failure& failure);

// Where `at` lies in `input`, for a user looking for the broken line:
// "line 12", with the byte on a line too long to read ("line 1, byte 4096001"),
// and the record's section and sequence number on an IGES line
// ("line 40, IGES record P      3").
std::string placeText(std::string_view input, std::uint64_t at);

// A usage message of `command`: "talmir-convert NAME: MESSAGE" and a line feed.
std::string usageMessage(std::string_view command, std::string_view message);

// The outcome of a conversion that wrote into a sink: nothing (exit 0), or its
// message (exit 1).
Outcome outcomeOf(const Result<std::uint64_t>& result);
// The outcome of a conversion that made its bytes whole: they go to the sink
// (exit 0), or its message (exit 1).
Outcome outcomeOf(Result<std::string> result, exporters::ExportSink& sink);

// Hands `bytes` to the sink as the whole output.
void putWhole(exporters::ExportSink& sink, std::string bytes);

// The whole of a file an option names; no value when it cannot be read.
std::optional<std::string> readOptionFile(const std::string& path);

// The bytes of the input files, in the order given.
using Inputs = std::vector<std::string>;

// A conversion that reads its one input as it goes (CommandInfo::runStreaming).
using StreamingRun =
    std::function<Outcome(const Arguments&, InputBytes& input, exporters::ExportSink& sink)>;

// A command as the runner sees it; commandInfo() (OptionTable.h) makes it from
// the command's table and run function.
struct CommandInfo {
    std::string name;
    std::string synopsis;  // options and positional arguments, for --help
    std::string summary;   // one line
    // Options that take a value; every other "--name" is a flag.
    std::vector<std::string> valueOptions;
    // Number of input files the command reads (1 for most, 2 for compare).
    int inputCount = 1;
    // Reads the options and runs the command on the contents of its input files,
    // its output into the sink (standard output and the -o file both take it from
    // there).
    std::function<Outcome(const Arguments&, const Inputs& inputs, exporters::ExportSink& sink)> run;
    // The conversion hands its bytes over in pieces as it makes them: the -o file is
    // opened before it starts and filled as it goes, so a file hundreds of megabytes
    // long never sits in memory. The other commands make their output whole; it is
    // written to the -o file after they succeed.
    bool writesPieces = false;
    // Set for a conversion that reads its one input as it goes and hands its output
    // over in pieces: talmir-convert maps the input file instead of reading it, and
    // lets go of what has been read, so neither input nor output is ever whole in
    // memory. `run` then calls it with the input bytes it is given.
    StreamingRun runStreaming = {};
};

// Runs a streaming conversion on input bytes already in memory.
Outcome runOnBytes(const StreamingRun& run, const Arguments& args, const Inputs& inputs,
                   exporters::ExportSink& sink);

struct CommandRegistration {
    explicit CommandRegistration(CommandInfo info);
};

const std::map<std::string, CommandInfo>& commands();

// The whole command line after the program name; reads INPUT files, writes -o.
// The outcome's output is what goes to standard output when there is no -o. With
// `outputFd` (standard output's), a streaming command without -o writes its output
// there in pieces as it makes them instead: after a failure part of it may have
// been written, and the outcome still says that it failed.
Outcome runCommandLine(const std::vector<std::string>& args, int outputFd = -1);

// Runs one command on input bytes already in memory (the golden tests use this).
Outcome runCommand(const std::string& name, const std::vector<std::string>& optionArgs,
                   const std::vector<std::string>& inputs);
Outcome runCommand(const CommandInfo& info, const std::vector<std::string>& optionArgs,
                   const std::vector<std::string>& inputs);

// The bytes of the file at `path` (a regular file in one read, anything else as a
// stream); false when it cannot be read.
bool readFile(const std::string& path, std::string& bytes);

// The list of every command (talmir-convert --help).
std::string helpText();
// The manual page of talmir-convert (roff), from the commands' tables: --man.
std::string manPage();
// The help of one command (talmir-convert COMMAND --help).
std::string commandHelp(const CommandInfo& info);

}  // namespace talmir::cli
