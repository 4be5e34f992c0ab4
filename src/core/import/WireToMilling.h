#pragma once
// Wire-cut program to machining-centre program: the contour of a wire program cut
// with an end mill. The result is a fixed main program (centre drilling and
// drilling of the start holes, then contour milling stepped down by macro
// variables #1 depth, #2 depth per step and #3 end-mill diameter, which the user
// edits), the tool-change macro O777, the fixed-cycle macro O888, the start-hole
// subprogram O1 (one X/Y line for every wire-threading M60) and the contour
// subprogram O2 (the wire path, plunging at each M60 and retracting at each M50).

#include <cstdint>
#include <string>
#include <string_view>

namespace talmir {
class InputBytes;
class PieceSink;
}  // namespace talmir

namespace talmir::importers {

// `wireBytes` is the wire program as the editor holds it (CR LF, LF or CR-only
// lines, Shift-JIS bytes). The result has every line ended by CR LF. X and Y
// numbers are taken over as written (the characters "0123456789.-" after the
// letter); a line without X or Y keeps the previous ones. Anything between "("
// and ")" (or the end of the line) is a comment: it neither moves the position
// nor counts as a code, so "G01X10.Y5.(P1)" stays in the contour and "(M60)" makes
// no hole. The conversion cannot fail.
std::string wireToMilling(std::string_view wireBytes);

// The same program from `input` (read twice, as it goes), handed to `sink` in
// pieces; gives its length.
std::uint64_t wireToMilling(InputBytes& input, PieceSink& sink);

}  // namespace talmir::importers
