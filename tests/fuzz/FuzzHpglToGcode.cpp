// HPGL plotter files into G-code.

#include "FuzzInput.h"
#include "core/import/HpglToGcode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const talmir::fuzz::FuzzInput input(data, size);
    (void)talmir::importers::hpglToGcode(input.text());
    return 0;
}
