// The code tables: a table file read for a conversion and applied, and loaded into
// the code editor's grid and written back.

#include "FuzzInput.h"
#include "core/editor/CodeTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmir::editor;
    const talmir::fuzz::FuzzInput input(data, size);
    const auto table = readCodeTable(input.text());
    if (table) {
        (void)applyCodeTable(input.text(), table.value());
    }
    (void)writeCodeBoxes(loadCodeBoxes(input.text()));
    return 0;
}
