// The section tree of the G-code window: a program split into its sections, each
// section line checked as a node file name, and the text rebuilt from the nodes.

#include <string>

#include "FuzzInput.h"
#include "core/export/SectionTree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmir::exporters;
    const talmir::fuzz::FuzzInput input(data, size);
    const SectionSplit split = splitSections(input.text());
    std::string rebuilt;
    for (const SectionNode& node : split.nodes) {
        if (isSafeNodeName(node.name)) {
            (void)nodeFileName(node.name);
        }
        appendSection(rebuilt, node.name, node.data);
    }
    return 0;
}
