// talmir-convert wire-expand INPUT [--sub DIR]: a wire-cut program with its
// subprograms, variables and jumps worked out into plain moves, as the editor's
// "ワイヤーFUNAC" plots them. A missing subprogram or a bad program exits 1 with
// the program's message.

#include "cli/OptionTable.h"
#include "cli/WireSubprograms.h"
#include "core/export/ExportSink.h"

namespace talmir::cli {
namespace {

struct WireExpandOptions {
    std::string sub;  // the folder of the "O<n>" files
};

Outcome runWireExpand(const WireExpandOptions& options, InputBytes& input,
                      exporters::ExportSink& sink) {
    return outcomeOf(importers::WirFmt(input, sink, subprogramsIn(options.sub)));
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
    .stream = runWireExpand,
})};

}  // namespace
}  // namespace talmir::cli
