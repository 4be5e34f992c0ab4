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
#include "core/graphic/Trace.h"

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
    // The program against its first half, and the trace at the same point.
    PlotTables half;
    scanPlotTables(half, {std::nullopt, text.substr(0, text.size() / 2)});
    (void)diffText(diffPrograms(tables, half));
    if (const auto element = elementAt(tables, at[0], at[1], 1.0)) {
        (void)extractElements(tables, {element->index}, {element->index});
    }
    (void)recordsOfLines(tables.pathLines, 0, static_cast<std::uint32_t>(size));
    (void)tableFileName(text);
    return 0;
}
