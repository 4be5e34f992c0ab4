#pragma once
// The plot of an expanded wire-cut program (what the expander writes), loaded
// straight into the plot tables without going through a program window: one path
// row per line; lines that are no motion (G40, G41, T1.5) name the layer of the
// rows after them.

#include "core/graphic/PlotTables.h"

#include <string_view>

namespace talmir::graphic {

// At most this many layer names (slots 0 to 99); a further name keeps the layer
// in force.
inline constexpr int kExpandedLayers = 100;

// Empties the tables and fills the path list from `expanded`: a line with G00,
// G01, G02 or G03 is a row with its X, Y, I and J (0 when missing) and the G
// number after its first "G"; any other line is a layer name, stored in the first
// free slot (made visible) when it is new, and a row with G number 0 at the
// current point. The hole list stays empty. True when the program moves at all:
// a motion line besides the expander's opening "G00X0Y0".
bool loadExpandedPlot(PlotTables& tables, std::string_view expanded);

}  // namespace talmir::graphic
