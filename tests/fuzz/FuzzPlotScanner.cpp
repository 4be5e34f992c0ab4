// The plot scanner over a hole text and a G-code text (the input split at its first
// NUL byte), scanned twice into the same tables as the windows do after an edit;
// the G-code scanned as it is gives the tables of its text rewritten whole first.

#include <cstdlib>
#include <cstring>
#include <optional>

#include "FuzzInput.h"
#include "core/graphic/PlotScanner.h"
#include "core/graphic/PlotTables.h"
#include "core/text/GcodeDialect.h"

namespace {

bool sameTables(const talmir::graphic::PlotTables& a, const talmir::graphic::PlotTables& b) {
    if (a.PathCount != b.PathCount || a.pathLines != b.pathLines ||
        (!a.paths.empty() &&
         std::memcmp(a.paths.data(), b.paths.data(), a.paths.size() * sizeof(a.paths[0])) != 0)) {
        return false;
    }
    for (std::size_t k = 0; k < a.layers.size(); ++k) {
        if (a.layers[k].name != b.layers[k].name) {
            return false;
        }
    }
    return true;
}

}  // namespace

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
    if (texts.gcodeText) {
        if (const auto own = talmir::text::ownGcode(*texts.gcodeText)) {
            PlotTables rewritten;
            scanPlotTables(rewritten, {texts.holeText, std::string_view(*own)});
            PlotTables direct;
            scanPlotTables(direct, texts);
            if (!sameTables(direct, rewritten)) {
                std::abort();
            }
        }
    }
    return 0;
}
