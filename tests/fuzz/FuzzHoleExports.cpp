// The hole-data window's exports: DXF (with its layer list), Gerber, IGES and the
// spreadsheet, the export and its options taken from the input's last bytes. The
// workbook goes to one file in the temporary folder, written over by every input.

#include <unistd.h>
#include <filesystem>
#include <string>

#include "FuzzInput.h"
#include "core/export/GcodeToDxf.h"
#include "core/export/GcodeToGerber.h"
#include "core/export/GcodeToIges.h"
#include "core/export/HolesToDxf.h"
#include "core/export/HolesToGerber.h"
#include "core/export/HolesToIges.h"
#include "core/export/HolesToXlsx.h"

namespace {

using namespace talmir::exporters;

void toDxf(talmir::fuzz::FuzzInput& input) {
    const bool same = input.flag();
    DxfOptions options;
    const auto layers = holeDxfLayers(input.text());
    if (layers) {
        options.colours = dxfDialogColours(same ? DxfColourMode::Same : DxfColourMode::All, 3,
                                           layers.value().size());
    }
    (void)holesToDxf(input.text(), options);
}

void toGerber(talmir::fuzz::FuzzInput& input) {
    GerberOptions options;
    options.unit = input.choice(4);
    options.blockEnd = static_cast<GerberBlockEnd>(input.choice(4));
    options.rs274x = input.flag();
    (void)holesToGerber(input.text(), options);
}

void toSheet(talmir::fuzz::FuzzInput& input) {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("talmir-fuzz-" + std::to_string(getpid()) + ".xlsx"))
                                        .string();
    HoleSheetOptions options;
    options.layout = static_cast<HoleSheetLayout>(input.choice(3));
    (void)holesToXlsx(input.text(), options, path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    talmir::fuzz::FuzzInput input(data, size);
    // The spreadsheet is the slow one (a zip file per input): one input in eight.
    switch (input.choice(8)) {
        case 0:
        case 1:
            toDxf(input);
            break;
        case 2:
        case 3:
            toGerber(input);
            break;
        case 4:
            toSheet(input);
            break;
        default:
            (void)holesToIges(input.text(), IgesOptions{"FUZZ", "20261209", "120000"});
            break;
    }
    return 0;
}
