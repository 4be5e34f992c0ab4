#include "core/graphic/ExpandedPlot.h"

#include "core/graphic/PlotScanner.h"
#include "core/text/Lines.h"

#include <algorithm>

namespace talmir::graphic {

namespace {

bool isMotion(std::string_view line) {
    for (std::size_t at = line.find("G0"); at != std::string_view::npos;
         at = line.find("G0", at + 1)) {
        if (at + 2 < line.size() && line[at + 2] >= '0' && line[at + 2] <= '3') {
            return true;
        }
    }
    return false;
}

float wordOf(std::string_view line, char letter) {
    const std::size_t at = line.find(letter);
    return at == std::string_view::npos ? 0.0f : static_cast<float>(numberAfter(line, at));
}

}  // namespace

bool loadExpandedPlot(PlotTables& tables, std::string_view expanded) {
    tables.reset();
    std::size_t records = 0;
    {
        text::LineReader counter(expanded);
        for (std::string_view line; counter.next(line);) {
            ++records;
        }
    }
    tables.paths.reserve(records);
    float layer = 0;
    float x = 0;
    float y = 0;
    int motions = 0;
    text::LineReader reader(expanded);
    for (std::string_view line; reader.next(line);) {
        PathRow row;
        if (isMotion(line)) {
            x = wordOf(line, 'X');
            y = wordOf(line, 'Y');
            row = {x, y, wordOf(line, 'I'), wordOf(line, 'J'), wordOf(line, 'G'), layer};
            ++motions;
        } else {
            auto* const first = tables.layers.begin();
            auto* const last = first + kExpandedLayers;
            auto* slot =
                std::find_if(first, last, [&](const LayerSlot& s) { return s.name == line; });
            if (slot == last) {
                slot = std::find_if(first, last, [](const LayerSlot& s) { return s.name.empty(); });
                if (slot != last) {
                    slot->name = std::string(line);
                    slot->visible = true;
                }
            }
            if (slot != last) {
                layer = static_cast<float>(slot - first);
            }
            row = {x, y, 0, 0, 0, layer};
        }
        tables.paths.push_back(row);
    }
    tables.PathCount = static_cast<int>(tables.paths.size()) - 1;
    tables.lastX = x;
    tables.lastY = y;
    return motions > 1;
}

}  // namespace talmir::graphic
