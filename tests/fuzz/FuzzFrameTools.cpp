// The graphic frame's tools: a line-width table read and applied to the layers of
// the same text scanned as a program, the program measured and checked, a
// perimeter pick of each kind at a point the input gives, and the table written
// back.

#include "FuzzInput.h"
#include "core/editor/ProgramCheck.h"
#include "core/graphic/LineWidthTable.h"
#include "core/graphic/Measure.h"
#include "core/graphic/PictureGcode.h"
#include "core/graphic/PlotScanner.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talmir::graphic;
    const talmir::fuzz::FuzzInput input(data, size);
    const std::string_view text = input.text();
    PlotTables tables;
    ColourTable colours;
    scanPlotTables(tables, {std::nullopt, text});
    (void)statisticsJson(programStatistics(tables, text, Feeds{}));
    (void)talmir::editor::findingsText(talmir::editor::checkProgram(text));
    const auto records = readWidthTable(text);
    applyWidthTable(records, tables, colours);
    (void)writeWidthTable(records);
    (void)measureJson(measureProgram(tables));
    float at[2] = {0, 0};
    if (size >= sizeof at) {
        std::memcpy(at, data, sizeof at);
    }
    float total = 0;
    pickForLength(tables, total, at[0], at[1], PickMode::Single, false);
    pickForLength(tables, total, at[0], at[1], PickMode::Continuous, size % 2 == 0);
    (void)PictureGcode(tables);
    (void)tableFileName(text);
    return 0;
}
