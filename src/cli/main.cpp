// talmir-convert: every conversion of Talmir from the shell.

#include "cli/Command.h"

#include "core/app/HugePages.h"

#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

int main(int argc, char** argv) {
    talmir::restartWithHugePages(argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    const talmir::cli::Outcome outcome = talmir::cli::runCommandLine(args, STDOUT_FILENO);
    if (!outcome.output.empty()) {
        std::fwrite(outcome.output.data(), 1, outcome.output.size(), stdout);
    }
    if (!outcome.errors.empty()) {
        std::fwrite(outcome.errors.data(), 1, outcome.errors.size(), stderr);
    }
    if (std::fflush(stdout) != 0) {
        return talmir::cli::kExitFailed;
    }
    return outcome.exitCode;
}
