// The option table of talmir-convert commands: the command line read through a
// small table (values, refusals, the usage messages), and the help texts that the
// tables of real commands give.

#include "cli/OptionTable.h"

#include "core/export/ExportSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talmir::cli {
namespace {

enum class Speed { Fast, Slow };

struct Sample {
    int count = 2;
    Speed speed = Speed::Fast;
    bool verbose = false;
    std::string name;
};

// Writes what it read, so that a case can check where each value went.
Outcome runSample(const Sample& s, const Inputs&, exporters::ExportSink& sink) {
    putWhole(sink, "count=" + std::to_string(s.count) +
                       (s.speed == Speed::Slow ? " slow" : " fast") +
                       (s.verbose ? " verbose" : "") + " name=" + s.name);
    return {};
}

const CommandInfo& sample() {
    static const CommandInfo info = commandInfo<Sample>({
        .name = "sample",
        .summary = "reads a sample table",
        .table = {{
            integer("count", &Sample::count, 1, 9),
            words("speed", &Sample::speed, {{"fast", Speed::Fast}, {"slow", Speed::Slow}}),
            flag("verbose", &Sample::verbose),
            text("name", "NAME", &Sample::name).needed(Need::Required),
        }},
        .run = runSample,
    });
    return info;
}

struct ReadCase {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    std::string output;  // standard output when the exit code is 0, else standard error
};

const ReadCase kReadCases[] = {
    {"defaults", {"--name", "a"}, kExitOk, "count=2 fast name=a"},
    {"value after a blank or after =",
     {"--count=3", "--speed", "slow", "--name=b", "--verbose"},
     kExitOk,
     "count=3 slow verbose name=b"},
    {"last value wins",
     {"--count", "0", "--count", "9", "--name", ""},
     kExitOk,
     "count=9 fast name="},
    {"unknown option is passed over as a flag",
     {"--colour", "--name", "c"},
     kExitOk,
     "count=2 fast name=c"},
    {"missing value",
     {"--name", "d", "--count"},
     kExitUsage,
     "talmir-convert sample: --count needs a value\n"},
    {"-o without a file",
     {"--name", "d", "-o"},
     kExitUsage,
     "talmir-convert sample: -o needs a file name\n"},
    {"integer above the range",
     {"--count", "10", "--name", "e"},
     kExitUsage,
     "talmir-convert sample: --count takes 1 to 9\n"},
    {"integer with a leading zero",
     {"--count=07", "--name", "e"},
     kExitUsage,
     "talmir-convert sample: --count takes 1 to 9\n"},
    {"integer with a sign",
     {"--count", "+5", "--name", "e"},
     kExitUsage,
     "talmir-convert sample: --count takes 1 to 9\n"},
    {"word not listed",
     {"--speed", "Slow", "--name", "f"},
     kExitUsage,
     "talmir-convert sample: --speed takes fast or slow\n"},
    {"required option missing",
     {"--count", "3"},
     kExitUsage,
     "talmir-convert sample: give --name NAME\n"},
    {"first refusal in table order",
     {"--speed", "quick", "--count", "0", "--name", "g"},
     kExitUsage,
     "talmir-convert sample: --count takes 1 to 9\n"},
};

TEST(OptionTable, ReadsTheCommandLine) {
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = runCommand(sample(), c.args, {"input"});
        EXPECT_EQ(outcome.exitCode, c.exitCode);
        EXPECT_EQ(c.exitCode == kExitOk ? outcome.output : outcome.errors, c.output);
        EXPECT_EQ(c.exitCode == kExitOk ? outcome.errors : outcome.output, "");
    }
}

TEST(OptionTable, HelpComesFromTheTable) {
    EXPECT_EQ(commandHelp(sample()),
              "usage: talmir-convert sample [--count 1..9] [--speed fast|slow] [--verbose] "
              "--name NAME INPUT [-o OUTPUT]\nreads a sample table\n");
}

struct HelpCase {
    const char* command;
    std::string usage;  // the first line of the command's --help
};

// Flags of which one may be chosen, sets of options of which one must be given,
// words shown as a range, a required -o.
const HelpCase kHelpCases[] = {
    {"eol", "usage: talmir-convert eol [--crlf|--cr|--lf] INPUT [-o OUTPUT]"},
    {"control",
     "usage: talmir-convert control (--find KEY --replace KEY | --delete KEY) INPUT [-o OUTPUT]"},
    {"gcode2gerber",
     "usage: talmir-convert gcode2gerber [--unit 0..3] [--block-end cr|lf|crlf|star] [--rs274x] "
     "INPUT [-o OUTPUT]"},
    {"holes2xlsx", "usage: talmir-convert holes2xlsx [--layout a|b|c] INPUT -o OUTPUT.xlsx"},
};

TEST(OptionTable, HelpOfRealCommands) {
    for (const HelpCase& c : kHelpCases) {
        SCOPED_TRACE(c.command);
        const Outcome help = runCommandLine({c.command, "--help"});
        EXPECT_EQ(help.exitCode, kExitOk);
        EXPECT_EQ(help.output.substr(0, help.output.find('\n')), c.usage);
        // A wrong number of inputs shows the same line, before any file is read.
        const Outcome usage = runCommandLine({c.command, "--bogus", "value", "no-such-file"});
        EXPECT_EQ(usage.exitCode, kExitUsage);
        EXPECT_EQ(usage.errors, c.usage + "\n");
    }
}

// The place a failed conversion names after its message: lines counted as the
// program reads them, the record's first byte that is no blank, the byte on a long
// line, the section and sequence number of an IGES record.
TEST(FailurePlace, NamesTheLineAUserLooksFor) {
    const std::string iges(72, ' ');
    const std::string longLine(300, 'x');
    const struct {
        std::string input;
        std::uint64_t at;
        std::string expected;
    } cases[] = {
        {"a\r\nb\r\nc", 6, "line 3"},
        {"a\rb\rc", 4, "line 3"},            // a lone CR ends a line
        {"a\nb\r\n\r\n  c\n", 3, "line 4"},  // blanks and empty lines before it
        {"a\nb\n\n", 99, "line 2"},          // past the end: the last line with text
        {"a\n" + longLine + "\n", 52, "line 2, byte 53"},
        {"x\r\n" + iges + "P      7\r\n", 3, "line 2, IGES record P      7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(placeText(c.input, c.at), c.expected) << c.input.substr(0, 20);
    }
}

}  // namespace
}  // namespace talmir::cli
