// Every folder tests/golden/<command>/<case>/ is one case: the input file(s)
// ("input", or "input1" and "input2"), an optional options.ini with one option a
// line ("name=value", or "name" for a flag), and the expected result: "expected"
// (the output bytes), optionally "expected.exit" (the exit code, 0 by default) and
// "expected.stderr" (a text that standard error must contain). "@CASE@" in an option
// value stands for the case folder, for options that name a file of the case.
// TALMIR_UPDATE_GOLDEN=1 rewrites "expected" from the current output.

#include "cli/Command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) {
        s.pop_back();
    }
    return s;
}

struct GoldenCase {
    std::string command;
    fs::path dir;
    std::string name() const {
        std::string n = command + "_" + dir.filename().string();
        std::replace_if(
            n.begin(), n.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
            '_');
        return n;
    }
};

std::vector<GoldenCase> findCases() {
    std::vector<GoldenCase> cases;
    const fs::path root(TALMIR_GOLDEN_DIR);
    if (!fs::is_directory(root)) {
        return cases;
    }
    for (const auto& commandDir : fs::directory_iterator(root)) {
        if (!commandDir.is_directory()) {
            continue;
        }
        for (const auto& caseDir : fs::directory_iterator(commandDir.path())) {
            if (caseDir.is_directory()) {
                cases.push_back({commandDir.path().filename().string(), caseDir.path()});
            }
        }
    }
    std::sort(cases.begin(), cases.end(),
              [](const GoldenCase& a, const GoldenCase& b) { return a.dir < b.dir; });
    return cases;
}

std::vector<std::string> optionArgs(const fs::path& caseDir) {
    std::vector<std::string> args;
    std::ifstream in(caseDir / "options.ini");
    for (std::string line; std::getline(in, line);) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#' || line[0] == ';') {
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            args.push_back("--" + line);
        } else {
            args.push_back("--" + line.substr(0, eq));
            std::string value = line.substr(eq + 1);
            for (auto at = value.find("@CASE@"); at != std::string::npos;
                 at = value.find("@CASE@")) {
                value.replace(at, 6, caseDir.string());
            }
            args.push_back(value);
        }
    }
    return args;
}

class Golden : public testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, MatchesExpectedBytes) {
    const GoldenCase& c = GetParam();
    if (talmir::cli::commands().count(c.command) == 0) {
        // plot needs the Qt layer; a build without it runs its cases through
        // the binary only.
        GTEST_SKIP() << "this build has no " << c.command << " command";
    }
    std::vector<std::string> inputs;
    if (fs::exists(c.dir / "input")) {
        inputs.push_back(readBytes(c.dir / "input"));
    } else {
        for (int i = 1; fs::exists(c.dir / ("input" + std::to_string(i))); ++i) {
            inputs.push_back(readBytes(c.dir / ("input" + std::to_string(i))));
        }
    }
    ASSERT_FALSE(inputs.empty()) << "no input in " << c.dir;
    const auto outcome = talmir::cli::runCommand(c.command, optionArgs(c.dir), inputs);

    int expectedExit = 0;
    if (fs::exists(c.dir / "expected.exit")) {
        expectedExit = std::atoi(readBytes(c.dir / "expected.exit").c_str());
    }
    EXPECT_EQ(outcome.exitCode, expectedExit) << outcome.errors;
    if (fs::exists(c.dir / "expected.stderr")) {
        EXPECT_NE(outcome.errors.find(trimmed(readBytes(c.dir / "expected.stderr"))),
                  std::string::npos)
            << outcome.errors;
    }
    const fs::path expectedPath = c.dir / "expected";
    const char* update = std::getenv("TALMIR_UPDATE_GOLDEN");
    if (update && std::string(update) == "1" && outcome.exitCode == 0) {
        std::ofstream(expectedPath, std::ios::binary) << outcome.output;
        return;
    }
    if (fs::exists(expectedPath)) {
        EXPECT_EQ(outcome.output, readBytes(expectedPath));
    } else {
        EXPECT_TRUE(outcome.output.empty()) << "no 'expected' file in " << c.dir;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(findCases()),
                         [](const testing::TestParamInfo<GoldenCase>& info) {
                             return info.param.name();
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Golden);

}  // namespace
