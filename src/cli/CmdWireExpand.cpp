// talmir-convert wire-expand INPUT [--sub DIR]: a wire-cut program with its
// subprograms, variables and jumps worked out into plain moves, as the editor's
// "ワイヤーFUNAC" plots them. A missing subprogram or a bad program exits 1 with
// the program's message.

#include "cli/OptionTable.h"
#include "cli/WireSubprograms.h"

namespace talmir::cli {
namespace {

struct WireExpandOptions {
    std::string sub;  // the folder of the "O<n>" files
};

Outcome runWireExpand(const WireExpandOptions& options, const Inputs& inputs,
                      exporters::ExportSink& sink) {
    return outcomeOf(importers::WirFmt(inputs[0], subprogramsIn(options.sub)), sink);
}

const CommandRegistration kWireExpand{commandInfo<WireExpandOptions>({
    .name = "wire-expand",
    .summary = "wire-cut program with its M98 subprograms (O<n> files of DIR, default SUB beside "
               "INPUT), variables and jumps expanded into moves",
    .table = {{
        text("sub", "DIR", &WireExpandOptions::sub)
            .orElse([](WireExpandOptions& options, const Arguments& args) {
                options.sub = subprogramFolderBeside(args);
            }),
    }},
    .run = runWireExpand,
})};

}  // namespace
}  // namespace talmir::cli
