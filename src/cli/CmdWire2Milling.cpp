// talmir-convert wire2milling INPUT: the machining-centre program the editor's
// "ワイヤーをミーリングへ" puts in place of a wire-cut program.

#include "cli/OptionTable.h"

#include "core/import/WireToMilling.h"

namespace talmir::cli {
namespace {

Outcome runWire2Milling(const NoOptions&, const Inputs& inputs, exporters::ExportSink& sink) {
    putWhole(sink, importers::wireToMilling(inputs[0]));
    return {};
}

const CommandRegistration kWire2Milling{commandInfo<NoOptions>({
    .name = "wire2milling",
    .summary = "wire-cut program to a milling program (start holes O1, contour O2, step-down main "
               "program)",
    .run = runWire2Milling,
})};

}  // namespace
}  // namespace talmir::cli
