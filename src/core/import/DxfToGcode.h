#pragma once
// DXF to G-code: the two-dimensional geometry of the ENTITIES section of an ASCII
// DXF drawing as a G-code program (G00 to the start of each figure, G01 lines,
// G02/G03 arcs with I/J relative to the start point), in file order, one figure
// after the other, with a layer line (the layer name alone) wherever the layer
// changes.

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

struct DxfOptions {
    // Called every few thousand pairs so a window can show that work is going on.
    std::function<void()> progress;
};

// `dxfBytes` is the DXF text as the editor holds it (CR LF, LF or CR-only lines;
// Shift-JIS layer names pass through as bytes). The result is the program as the
// G-code window shows it: every line ended by CR LF, lengths in the drawing's units
// with up to four decimals. A text without an ENTITIES section, or without any
// LINE, POINT, CIRCLE, ARC, POLYLINE or LWPOLYLINE, gives an empty program. A text
// that ends before its "0"/"EOF" pair, or a number beyond single precision, gives
// the error the window reports, and no program at all.
Result<std::string> dxfToGcode(std::string_view dxfBytes, const DxfOptions& options = {});

// The same program from `input` read as it goes, handed to `sink` in pieces; gives
// its length. After a failure the pieces handed over are no program.
Result<std::uint64_t> dxfToGcode(InputBytes& input, PieceSink& sink,
                                 const DxfOptions& options = {});

}  // namespace talmir::importers
