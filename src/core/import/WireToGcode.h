#pragma once
// Wire-cut program to G-code, line by line: the wire state from the M codes
// (a G01 while the wire is off is a G00), numbers without a decimal point in
// thousandths (X1000 is 1 mm), the G92 origin, arcs by their radius, and the G22
// shape cycles L1000 to L8000 drawn as moves:
//
//     H100=20.  H200=10.        D10
//     G22L1000                  G00X0Y0
//                               G00X0.0Y5.0      the middle of the top edge
//                               G01X10.0Y5.0 ... G01X0.0Y5.0
//                               G00X0.0Y0.0      back to the start point
//                               M30

#include "core/Failure.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace talmir {
class InputBytes;
class PieceSink;
}  // namespace talmir

namespace talmir::importers {

struct WireGcodeOptions {
    std::function<void()> progress;  // called every few thousand lines
};

// Where a translation failed; its error box is titled "Orvanta_" + the number.
enum class WireStep { Program = 1, Line = 2, ShapeCycle = 3 };

// The G-code of `program` (any line ends, Shift-JIS bytes), every line ended by
// CR LF. Comments "(...)" are left out of every line and dwell lines G04 dropped.
// Shape-cycle sizes are the registers H100 (X) and H200 (Y), corner radii H110 to
// H150 (0.2 mm until set); "K" lines turn the next cycle by whole degrees. Fails
// (with the step in `failedAt`) on a register past H250, an unknown shape code, a
// cut-flat circle L3000 whose flats meet (H100 = H200) or cannot be, an arc radius
// too short for its chord, and any value beyond single precision.
Result<std::string> wireToGcode(std::string_view program, const WireGcodeOptions& options = {},
                                WireStep* failedAt = nullptr);

// The same program from `input` read as it goes, handed to `sink` in pieces; gives
// its length. After a failure the pieces handed over are no program.
Result<std::uint64_t> wireToGcode(InputBytes& input, PieceSink& sink,
                                  const WireGcodeOptions& options = {},
                                  WireStep* failedAt = nullptr);

}  // namespace talmir::importers
