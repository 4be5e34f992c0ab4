#include "core/graphic/HoleWidths.h"

#include "core/text/Lines.h"
#include "core/text/NumberPicture.h"

#include <cstddef>

namespace talmir::graphic {

std::vector<float> layerWidths(const PlotTables& tables) {
    std::vector<float> widths;
    widths.reserve(tables.layers.size());
    for (const LayerSlot& slot : tables.layers) {
        widths.push_back(slot.width);
    }
    return widths;
}

namespace {

// The slot of the layer named `code` whose width changed, or -1.
int changedSlot(std::string_view code, const PlotTables& tables, const std::vector<float>& before) {
    for (std::size_t k = 0; k < tables.layers.size() && k < before.size(); ++k) {
        const LayerSlot& slot = tables.layers[k];
        if (!slot.name.empty() && slot.name == code) {
            return slot.width != before[k] ? static_cast<int>(k) : -1;
        }
    }
    return -1;
}

}  // namespace

std::string holeTextWithToolWidths(std::string_view holes, const PlotTables& tables,
                                   const std::vector<float>& before) {
    if (layerWidths(tables) == before) {
        return std::string(holes);
    }
    const text::NumberPicture picture("####0.000#");
    std::string out;
    out.reserve(holes.size() + 64);
    text::LineReader reader(holes);
    bool first = true;
    for (std::string_view line; reader.next(line);) {
        if (!first) {
            out += "\r\n";
        }
        first = false;
        const std::size_t c = line.find('C');
        const int slot =
            (c == std::string_view::npos || line.find_first_of("XY") != std::string_view::npos)
                ? -1
                : changedSlot(line.substr(0, c), tables, before);
        if (slot < 0) {
            out.append(line);
            continue;
        }
        out.append(line.substr(0, c + 1));
        out += picture.format(tables.layers[static_cast<std::size_t>(slot)].width);
    }
    return out;
}

}  // namespace talmir::graphic
