// Wire-cut programs translated into G-code, shape cycles and all.

#include "FuzzInput.h"
#include "core/import/WireToGcode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const talmir::fuzz::FuzzInput input(data, size);
    (void)talmir::importers::wireToGcode(input.text());
    return 0;
}
