#pragma once
// Tool diameters changed in the graphic frame, written back into the hole data.

#include "core/graphic/PlotTables.h"

#include <string>
#include <string_view>
#include <vector>

namespace talmir::graphic {

// The widths of the named layers as they are now, to compare with later.
std::vector<float> layerWidths(const PlotTables& tables);

// `holes` with every tool definition line ("T01C1.0": the tool code before its
// first "C") whose layer's width is no longer the one in `before` given that
// width, "T01C1.500" (picture "####0.000#"). Every other line, holes of unnamed
// layers and lines nobody understands included, stays as it was; line ends are
// CR LF. With no width changed the text comes back unchanged.
std::string holeTextWithToolWidths(std::string_view holes, const PlotTables& tables,
                                   const std::vector<float>& before);

}  // namespace talmir::graphic
