// DXF drawings into G-code, and the same bytes read for their circles as hole data.

#include "FuzzInput.h"
#include "core/import/DxfToGcode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const talmir::fuzz::FuzzInput input(data, size);
    (void)talmir::importers::dxfToGcode(input.text());
    return 0;
}
