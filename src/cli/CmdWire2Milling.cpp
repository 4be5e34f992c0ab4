// talmir-convert wire2milling INPUT: the machining-centre program the editor's
// "ワイヤーをミーリングへ" puts in place of a wire-cut program.

#include "cli/Command.h"

#include "core/import/WireToMilling.h"

#include <string>

namespace talmir::cli {
namespace {

Outcome runWire2Milling(const Arguments&, const std::vector<std::string>& inputs) {
    return outcomeOf(Result<std::string>(importers::wireToMilling(inputs[0])));
}

const CommandRegistration kWire2Milling{{
    "wire2milling",
    "INPUT [-o OUTPUT]",
    "wire-cut program to a milling program (start holes O1, contour O2, step-down main program)",
    {},
    1,
    runWire2Milling,
}};

}  // namespace
}  // namespace talmir::cli
