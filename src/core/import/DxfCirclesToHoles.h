#pragma once
// DXF circles to hole data: every CIRCLE of the ENTITIES section of an ASCII DXF
// drawing is a hole, every layer that carries circles a tool, numbered T01, T02,
// ... in order of first appearance, with the diameter of the last circle seen on
// that layer:
//
//     T01C3.0          tool table: tool, "C", diameter
//     T02C1.0
//     T01              then each tool with its holes in drawing order
//     X10.0Y10.0
//     T02
//     X5.0Y5.0
//
// Circles inside BLOCKS definitions are not holes. Layer names are compared
// exactly, blanks and case included.

#include "core/Failure.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace talmir {
class InputBytes;
class PieceSink;
}  // namespace talmir

namespace talmir::importers {

// Layers that may carry circles: tools T01 to T100.
inline constexpr std::size_t kMaxHoleLayers = 100;

struct DxfCircleOptions {
    // Called every few thousand pairs so a window can show that work is going on.
    std::function<void()> progress;
    // When set, receives the circle list the window keeps as the work file
    // "BAK1.DAT": one line per circle in drawing order, centre X, centre Y,
    // diameter and layer name separated by commas (X10.0 ... as 10.0,10.0,3.0,DRILL3),
    // each line ended by CR LF. What was read before a failure stays in it.
    std::string* circles = nullptr;
};

// `dxfBytes` is the DXF text as the editor holds it (CR LF, LF or CR-only lines).
// The result is the hole-data text, every line ended by CR LF; numbers with one to
// four decimals ("####0.0###"), tool numbers with at least two digits. Fails with
// "変換可能なコマンドが、見つかりませんでした" when there is no circle, with a message
// naming the layer when a 101st layer carries circles, with error 62 when the text
// ends inside the ENTITIES section before its "0"/"ENDSEC" or "0"/"EOF", and with
// error 6 for a number beyond single precision.
Result<std::string> dxfCirclesToHoles(std::string_view dxfBytes,
                                      const DxfCircleOptions& options = {});

// The same hole data from `input`, read twice as it goes (the circles are not
// kept), handed to `sink` in pieces, each tool's holes at their place; gives the
// length. After a failure the pieces handed over are no hole data.
Result<std::uint64_t> dxfCirclesToHoles(InputBytes& input, PieceSink& sink,
                                        const DxfCircleOptions& options = {});

}  // namespace talmir::importers
