// The G-code sort: motion lines gathered under their section lines.

#include "FuzzInput.h"
#include "core/export/GcodeSort.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const talmir::fuzz::FuzzInput input(data, size);
    (void)talmir::exporters::sortGcode(input.text());
    return 0;
}
