#pragma once
// The transforms of the graphic frame: mirror, axis swap, scale and move of the
// plotted program. Each changes the plot tables and rewrites the text of the
// window that opened the graph the same way; the window then loads the result.
//
// Text rewrites keep every other non-empty line or item as it was and drop empty
// ones; every written line ends with CR LF.

#include "core/graphic/PlotTables.h"

#include <string>
#include <string_view>

namespace talmir::graphic {

enum class Mirror { X = 0, Y = 1, SwapAxes = 2 };

// G-code. Mirror and swap turn G2 into G3 and back. The text is read item by
// item (an item ends at a comma or at the end of a line); items starting with
// "G00", "G01", "G02", "G03" or "G81" are rebuilt as "G" + two-digit number + X
// + Y (+ I + J for arcs), a letter an item lacks taking the value the last item
// that had it carried (0 at first).
void mirrorPaths(PlotTables& tables, Mirror mirror);
std::string mirrorGcodeText(std::string_view text, Mirror mirror);

// Scale about the origin (X, Y, I, J times k) and move (X + dx, Y + dy). Only
// motion items (G number 0, 1, 2, 3 or 81) are rebuilt; other items, "G90" and
// comments among them, are copied as they are.
void scalePaths(PlotTables& tables, float k);
std::string scaleGcodeText(std::string_view text, double k);
void movePaths(PlotTables& tables, float dx, float dy);
std::string moveGcodeText(std::string_view text, double dx, double dy);

// Hole data: every line holding "X" or "Y" becomes "X" + x + "Y" + y.
void mirrorHoles(PlotTables& tables, Mirror mirror);
std::string mirrorHoleText(std::string_view text, Mirror mirror);
void scaleHoles(PlotTables& tables, float k);
std::string scaleHoleText(std::string_view text, double k);
void moveHoles(PlotTables& tables, float dx, float dy);
std::string moveHoleText(std::string_view text, double dx, double dy);

// A single-precision value in its general form: up to 7 significant digits, no
// trailing zeros, an exponent only for very large or small values ("1.5",
// "-0.25", "1234567", "1.234568E+07").
std::string singleText(float value);

}  // namespace talmir::graphic
