// talmir-convert wire2milling INPUT: the machining-centre program the editor's
// "ワイヤーをミーリングへ" puts in place of a wire-cut program.

#include "cli/OptionTable.h"

#include "core/export/ExportSink.h"
#include "core/import/WireToMilling.h"

namespace talmir::cli {
namespace {

Outcome runWire2Milling(const NoOptions&, InputBytes& input, exporters::ExportSink& sink) {
    static_cast<void>(importers::wireToMilling(input, sink));
    return {};
}

const CommandRegistration kWire2Milling{commandInfo<NoOptions>({
    .name = "wire2milling",
    .summary = "wire-cut program to a milling program (start holes O1, contour O2, step-down main "
               "program)",
    .stream = runWire2Milling,
})};

}  // namespace
}  // namespace talmir::cli
