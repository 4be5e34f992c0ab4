// The circles of a DXF drawing into hole data, with and without the circle list
// the window shows.

#include <string>

#include "FuzzInput.h"
#include "core/import/DxfCirclesToHoles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    talmir::fuzz::FuzzInput input(data, size);
    std::string circles;
    talmir::importers::DxfCircleOptions options;
    if (input.flag()) {
        options.circles = &circles;
    }
    (void)talmir::importers::dxfCirclesToHoles(input.text(), options);
    return 0;
}
