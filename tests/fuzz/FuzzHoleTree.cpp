// The tool tree of the hole-data window: hole data split into tool nodes, and the
// text written back from them and read once more.

#include <string>

#include "FuzzInput.h"
#include "core/export/HoleTree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmir::exporters;
    const talmir::fuzz::FuzzInput input(data, size);
    const auto nodes = holeTree(input.text());
    if (nodes) {
        const std::string text = holeText(nodes.value());
        (void)holeTree(text);
    }
    return 0;
}
