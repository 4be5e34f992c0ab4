#include "Command.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace talmir::cli {

namespace {

std::map<std::string, CommandInfo>& registry() {
    static std::map<std::string, CommandInfo> commands;
    return commands;
}

bool readFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size < 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0, std::ios::beg);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(in) || in.eof();
}

// Writes beside the target and renames over it, so a failed write never leaves a
// half-written file where the old one was.
bool writeFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".talmir-tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool isValueOption(const CommandInfo& info, std::string_view name) {
    for (const auto& v : info.valueOptions) {
        if (v == name) {
            return true;
        }
    }
    return false;
}

// Splits the arguments after the command name. "-o FILE" is taken out into `output`.
bool parseArguments(const CommandInfo& info, const std::vector<std::string>& args,
                    Arguments& parsed, std::optional<std::string>& output, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o") {
            if (i + 1 >= args.size()) {
                error = "-o needs a file name";
                return false;
            }
            output = args[++i];
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            std::string name = a.substr(2);
            std::string value;
            const auto eq = name.find('=');
            if (eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
            } else if (isValueOption(info, name)) {
                if (i + 1 >= args.size()) {
                    error = "--" + name + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            parsed.options.emplace_back(std::move(name), std::move(value));
        } else {
            parsed.positional.push_back(a);
        }
    }
    return true;
}

}  // namespace

std::string failureMessage(const Failure& failure) {
    if (failure.number <= 0) {
        return failure.description + "\n";
    }
    return "エラー番号 : " + std::to_string(failure.number) + "\n" + failure.description + "\n";
}

Outcome outcomeOf(Result<std::string> result) {
    if (!result) {
        return Outcome::failed(failureMessage(result.failure()));
    }
    Outcome outcome;
    outcome.output = std::move(result).value();
    return outcome;
}

bool Arguments::has(std::string_view name) const {
    for (const auto& [k, v] : options) {
        if (k == name) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> Arguments::get(std::string_view name) const {
    std::optional<std::string> found;
    for (const auto& [k, v] : options) {
        if (k == name) {
            found = v;  // the last one wins
        }
    }
    return found;
}

CommandRegistration::CommandRegistration(CommandInfo info) {
    std::string name = info.name;
    registry().emplace(std::move(name), std::move(info));
}

const std::map<std::string, CommandInfo>& commands() {
    return registry();
}

std::string helpText() {
    std::string text =
        "usage: talmir-convert COMMAND [--option VALUE]... INPUT [-o OUTPUT]\n"
        "Converts NC programs and drawings as the Talmir windows do. Input and output are\n"
        "raw bytes (Shift-JIS passes through untouched). Without -o the result goes to\n"
        "standard output. Exit status: 0 done, 1 the conversion reported an error (its\n"
        "message on standard error), 2 wrong usage.\n\ncommands:\n";
    for (const auto& [name, info] : registry()) {
        text += "  " + name + " " + info.synopsis + "\n      " + info.summary + "\n";
    }
    return text;
}

Outcome runCommand(const std::string& name, const std::vector<std::string>& optionArgs,
                   const std::vector<std::string>& inputs) {
    auto it = registry().find(name);
    if (it == registry().end()) {
        return Outcome::usage("talmir-convert: unknown command '" + name + "'\n");
    }
    Arguments parsed;
    std::optional<std::string> output;
    std::string error;
    if (!parseArguments(it->second, optionArgs, parsed, output, error)) {
        return Outcome::usage("talmir-convert " + name + ": " + error + "\n");
    }
    parsed.outputPath = output;
    return it->second.run(parsed, inputs);
}

Outcome runCommandLine(const std::vector<std::string>& args) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        Outcome help;
        help.exitCode = args.empty() ? kExitUsage : kExitOk;
        (args.empty() ? help.errors : help.output) = helpText();
        return help;
    }
    auto it = registry().find(args[0]);
    if (it == registry().end()) {
        return Outcome::usage("talmir-convert: unknown command '" + args[0] +
                              "' (talmir-convert --help lists them)\n");
    }
    const CommandInfo& info = it->second;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const auto& a : rest) {
        if (a == "--help") {
            Outcome help;
            help.output = "usage: talmir-convert " + info.name + " " + info.synopsis + "\n" +
                          info.summary + "\n";
            return help;
        }
    }
    Arguments parsed;
    std::optional<std::string> output;
    std::string error;
    if (!parseArguments(info, rest, parsed, output, error)) {
        return Outcome::usage("talmir-convert " + info.name + ": " + error + "\n");
    }
    parsed.outputPath = output;
    if (static_cast<int>(parsed.positional.size()) != info.inputCount) {
        return Outcome::usage("usage: talmir-convert " + info.name + " " + info.synopsis + "\n");
    }
    std::vector<std::string> inputs(parsed.positional.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (!readFile(parsed.positional[i], inputs[i])) {
            return Outcome::failed("talmir-convert: cannot read " + parsed.positional[i] + "\n");
        }
    }
    Outcome outcome = info.run(parsed, inputs);
    if (outcome.exitCode == kExitOk && output) {
        if (!writeFileAtomically(*output, outcome.output)) {
            return Outcome::failed("talmir-convert: cannot write " + *output + "\n");
        }
        outcome.output.clear();
    }
    return outcome;
}

}  // namespace talmir::cli
