#pragma once
// PictureGcode: the path records written back as G-code, wide tracks replaced by
// the outlines the plot draws for them.

#include "core/graphic/PlotTables.h"

#include <string>

namespace talmir::graphic {

// The text of the work file the G-code window is loaded from: a layer's name on a
// line of its own wherever the layer changes (before the first record too), then
// per record, numbers with the picture "#######0.0###":
//   width 0: "G00X..Y..", "G01X..Y..", "G02X..Y..I..J..", "G03X..Y..I..J..", "G81X..Y..";
//   width > 0: full circles ("G00X" x+r "Y" y, "G02X" x+r "Y" y "I-" r "J0"), the two
//   sides of a track as G00/G01 pairs and arcs as G00/G03 pairs; rapid moves of
//   a wide layer are not written.
// Every line ends with CR LF. Records whose points are not finite numbers, and
// records of other G numbers, write nothing; a layer index outside 0 to 255 ends
// the text at that record.
std::string PictureGcode(const PlotTables& tables);

}  // namespace talmir::graphic
