// talmir-convert maps the input of a streaming conversion. When another program cuts
// the file short while it is read, the conversion fails with a message and leaves
// no -o file, instead of the process dying of SIGBUS.

#include "cli/Command.h"

#include "core/Pieces.h"
#include "core/export/ExportSink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace talmir::cli {
namespace {

constexpr std::size_t kCutTo = 100;

// Reads the first bytes of its input, cuts the file to kCutTo bytes, as another
// program would, then reads a byte of every page to the end as a conversion does;
// hands over what it read.
Outcome readCutShort(const Arguments& args, InputBytes& input, exporters::ExportSink& sink) {
    const std::string_view bytes = input.bytes();
    std::string piece(bytes.substr(0, kCutTo));
    sink.put(0, piece);
    if (::truncate(args.positional[0].c_str(), kCutTo) != 0) {
        return Outcome::failed("cannot truncate\n");
    }
    unsigned sum = 0;
    for (std::size_t at = 0; at < bytes.size(); at += 4096) {
        sum += static_cast<unsigned char>(bytes[at]);
        input.readTo(at);
    }
    piece = std::to_string(sum);
    sink.put(kCutTo, piece);
    return Outcome{};
}

CommandInfo cutShortCommand() {
    CommandInfo info;
    info.name = "test-cut-short";
    info.synopsis = "INPUT [-o OUTPUT]";
    info.summary = "reads its input while cutting it short";
    info.writesPieces = true;
    info.runStreaming = readCutShort;
    info.run = [](const Arguments& args, const Inputs& inputs, exporters::ExportSink& sink) {
        return runOnBytes(readCutShort, args, inputs, sink);
    };
    return info;
}

const CommandRegistration kCutShort{cutShortCommand()};

struct CutCase {
    const char* name;
    std::size_t bytes;  // of the file before it is cut
    bool toFile;        // -o, or standard output
};

// Cut within the last page (no SIGBUS: zeros are read), past the first page, and
// in a file long enough for the mapping to let go of what was read as it goes.
const CutCase kCutCases[] = {
    {"within the page, -o", 3000, true},
    {"past the page, -o", 100000, true},
    {"long file, -o", std::size_t{40} << 20, true},
    {"past the page, standard output", 100000, false},
    {"long file, standard output", std::size_t{40} << 20, false},
};

TEST(MappedInput, InputCutShortWhileReadFails) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("talmir-cut-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string input = (dir / "in.nc").string();
    const std::string output = (dir / "out.nc").string();
    for (const CutCase& c : kCutCases) {
        SCOPED_TRACE(c.name);
        std::ofstream(input, std::ios::binary) << std::string(c.bytes, 'G');
        std::ofstream(output, std::ios::binary) << "old";
        std::vector<std::string> args = {"test-cut-short", input};
        if (c.toFile) {
            args.insert(args.end(), {"-o", output});
        }
        int pipeEnds[2] = {-1, -1};
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const Outcome outcome = runCommandLine(args, c.toFile ? -1 : pipeEnds[1]);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        EXPECT_EQ(outcome.exitCode, kExitFailed);
        EXPECT_EQ(outcome.errors, "talmir-convert: " + input + " changed while it was read\n");
        EXPECT_TRUE(outcome.output.empty());
        std::ifstream kept(output, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old");
        EXPECT_FALSE(std::filesystem::exists(output + ".talmir-tmp"));
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace talmir::cli
