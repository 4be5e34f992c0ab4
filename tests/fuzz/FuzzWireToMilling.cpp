// Wire-cut programs into milling programs.

#include "FuzzInput.h"
#include "core/import/WireToMilling.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const talmir::fuzz::FuzzInput input(data, size);
    (void)talmir::importers::wireToMilling(input.text());
    return 0;
}
