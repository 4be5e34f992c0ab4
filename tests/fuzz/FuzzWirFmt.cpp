// Wire-cut programs expanded with their subprograms, and the expansion plotted.
// The text up to the first NUL byte is the main program; the rest is every
// subprogram file there is (O1, O1000, ...), so calls nest as deep as they may.

#include "FuzzInput.h"
#include "core/graphic/ExpandedPlot.h"
#include "core/import/WirFmt.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    talmir::fuzz::FuzzInput input(data, size);
    const bool missing = input.flag();
    const auto texts = input.twoTexts();
    const std::string_view program = texts.first;
    const std::string_view subprogram = texts.second;
    talmir::importers::WirFmtOptions options;
    options.subprogram = [&](std::string_view) -> std::optional<std::string> {
        if (missing) {
            return std::nullopt;
        }
        return std::string(subprogram);
    };
    const auto expanded = talmir::importers::WirFmt(program, options);
    if (expanded) {
        auto tables = std::make_unique<talmir::graphic::PlotTables>();
        (void)talmir::graphic::loadExpandedPlot(*tables, expanded.value());
    }
    return 0;
}
