// The plot scanner over a hole text and a G-code text (the input split at its first
// NUL byte), scanned twice into the same tables as the windows do after an edit.

#include <optional>

#include "FuzzInput.h"
#include "core/graphic/PlotScanner.h"
#include "core/graphic/PlotTables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmir::graphic;
    talmir::fuzz::FuzzInput input(data, size);
    const int which = input.choice(3);
    const auto [first, second] = input.twoTexts();
    ScanTexts texts;
    if (which != 1) {
        texts.holeText = first;
    }
    if (which != 0) {
        texts.gcodeText = which == 1 ? first : second;
    }
    PlotTables tables;
    scanPlotTables(tables, texts);
    scanPlotTables(tables, texts);
    return 0;
}
