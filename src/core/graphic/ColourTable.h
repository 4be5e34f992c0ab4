#pragma once
// The colour table of the plot and the layer colour file "LAYER.RGB".

#include "core/graphic/Canvas.h"

#include <array>
#include <string>
#include <string_view>

namespace talmir::graphic {

inline constexpr Colour kDefaultLayerColour = 16711680;  // blue

// 257 colour values in the 0x00BBGGRR form, held as doubles like the file they
// come from: entry 0 is the background, entry k + 1 the colour of layer k.
struct ColourTable {
    std::array<double, 257> entries{};

    ColourTable();  // background black, every layer blue
    Colour background() const { return toColour(entries[0]); }
    Colour layer(int index) const { return toColour(entries[static_cast<std::size_t>(index) + 1]); }

    // A stored value as a colour: rounded to a whole number; values outside
    // 0 to 0xFFFFFF (and NaN) draw black rather than some unrelated colour.
    static Colour toColour(double value);
};

// "LAYER.RGB": one decimal colour value a line, entries 0 to 256. Reading takes
// every line the file holds, so the last layer keeps its colour too; lines the
// file lacks keep the value they had, and a line with no number reads as 0.
void readLayerColours(std::string_view fileText, ColourTable& table);

// The file as written when the graphic frame closes: entries 0 to 256, one a
// line, each line ended by CR LF.
std::string layerColourFile(const ColourTable& table);

}  // namespace talmir::graphic
