// The hole-data window's exports: DXF (with its layer list), Gerber, IGES and the
// spreadsheet, the export and its options taken from the input's last bytes. The
// workbook goes to one file in the temporary folder, written over by every input.

#include <unistd.h>

#include <filesystem>
#include <string>

#include "ExportOptions.h"
#include "FuzzInput.h"
#include "core/export/GcodeToIges.h"
#include "core/export/HolesToDxf.h"
#include "core/export/HolesToGerber.h"
#include "core/export/HolesToIges.h"
#include "core/export/HolesToXlsx.h"

namespace {

using namespace talmir::exporters;

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
        case 1: {
            // The options first: they shorten the text the export then reads.
            const DxfOptions options = talmir::fuzz::dxfOptions(input, holeDxfLayers(input.text()));
            (void)holesToDxf(input.text(), options);
        } break;
        case 2:
        case 3: {
            const GerberOptions options = talmir::fuzz::gerberOptions(input);
            (void)holesToGerber(input.text(), options);
        } break;
        case 4:
            toSheet(input);
            break;
        default:
            (void)holesToIges(input.text(), IgesOptions{"FUZZ", "20261209", "120000"});
            break;
    }
    return 0;
}
