// The G-code window's exports: DXF (with its layer list), Gerber, HPGL and IGES, the
// export and its options taken from the input's last bytes.

#include "ExportOptions.h"
#include "FuzzInput.h"
#include "core/export/GcodeToDxf.h"
#include "core/export/GcodeToGerber.h"
#include "core/export/GcodeToHpgl.h"
#include "core/export/GcodeToIges.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmir::exporters;
    talmir::fuzz::FuzzInput input(data, size);
    switch (input.choice(4)) {
        case 0: {
            // The options first: they shorten the text the export then reads.
            const DxfOptions options =
                talmir::fuzz::dxfOptions(input, gcodeDxfLayers(input.text()));
            (void)gcodeToDxf(input.text(), options);
        } break;
        case 1: {
            const GerberOptions options = talmir::fuzz::gerberOptions(input);
            (void)gcodeToGerber(input.text(), options);
        } break;
        case 2:
            (void)gcodeToHpgl(input.text());
            break;
        default:
            (void)gcodeToIges(input.text(), IgesOptions{"FUZZ", "20261209", "120000"});
            break;
    }
    return 0;
}
