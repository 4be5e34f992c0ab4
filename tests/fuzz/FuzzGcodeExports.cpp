// The G-code window's exports: DXF (with its layer list), Gerber, HPGL and IGES, the
// export and its options taken from the input's last bytes.

#include <vector>

#include "FuzzInput.h"
#include "core/export/GcodeToDxf.h"
#include "core/export/GcodeToGerber.h"
#include "core/export/GcodeToHpgl.h"
#include "core/export/GcodeToIges.h"

namespace {

using namespace talmir::exporters;

void toGerber(talmir::fuzz::FuzzInput& input) {
    GerberOptions options;
    options.unit = input.choice(4);
    options.blockEnd = static_cast<GerberBlockEnd>(input.choice(4));
    options.rs274x = input.flag();
    (void)gcodeToGerber(input.text(), options);
}

void toDxf(talmir::fuzz::FuzzInput& input) {
    const bool same = input.flag();
    const double colour = input.choice(300) - 20;  // off the colour table on both sides
    DxfOptions options;
    const auto layers = gcodeDxfLayers(input.text());
    if (layers) {
        options.colours = dxfDialogColours(same ? DxfColourMode::Same : DxfColourMode::All, colour,
                                           layers.value().size());
    }
    (void)gcodeToDxf(input.text(), options);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    talmir::fuzz::FuzzInput input(data, size);
    switch (input.choice(4)) {
        case 0:
            toDxf(input);
            break;
        case 1:
            toGerber(input);
            break;
        case 2:
            (void)gcodeToHpgl(input.text());
            break;
        default:
            (void)gcodeToIges(input.text(), IgesOptions{"FUZZ", "20261209", "120000"});
            break;
    }
    return 0;
}
