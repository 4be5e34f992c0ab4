// The two readers of DXF drawings on the same bytes: the drawing into G-code, and
// its circles into hole data, with and without the circle list the window shows.

#include <string>

#include "FuzzInput.h"
#include "core/import/DxfCirclesToHoles.h"
#include "core/import/DxfToGcode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmir::importers;
    talmir::fuzz::FuzzInput input(data, size);
    std::string circles;
    DxfCircleOptions options;
    options.circles = input.sometimes(circles);
    (void)dxfToGcode(input.text());
    (void)dxfCirclesToHoles(input.text(), options);
    return 0;
}
