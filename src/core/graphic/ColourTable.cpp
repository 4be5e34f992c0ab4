#include "core/graphic/ColourTable.h"

#include "core/text/Lines.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <cmath>

namespace talmir::graphic {

ColourTable::ColourTable() {
    entries.fill(kDefaultLayerColour);
    entries[0] = kBlack;
}

Colour ColourTable::toColour(double value) {
    const double whole = std::nearbyint(value);
    if (!(whole >= 0 && whole <= 16777215.0)) {
        return kBlack;
    }
    return static_cast<Colour>(whole);
}

void readLayerColours(std::string_view fileText, ColourTable& table) {
    text::LineReader lines(fileText);
    std::size_t entry = 0;
    for (std::string_view line; entry < table.entries.size() && lines.next(line); ++entry) {
        table.entries[entry] = text::numericValue(line);
    }
}

std::string layerColourFile(const ColourTable& table) {
    const text::NumberPicture picture("0");
    std::string out;
    out.reserve(table.entries.size() * 10);
    for (const double value : table.entries) {
        picture.append(out, value);
        out += "\r\n";
    }
    return out;
}

}  // namespace talmir::graphic
