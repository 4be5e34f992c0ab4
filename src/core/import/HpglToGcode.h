#pragma once
// HP-GL to G-code: the pen moves, arcs and circles of a pen-plotter file as a
// G-code program in millimetres (40 plotter units to the millimetre). Pen-up moves
// become G00, pen-down moves G01, arcs G02/G03 with I and J relative to the pen;
// pen selections (SP) stay in the program as they are. Every other command
// (IN, SC, IP, LB, LT, VS, PW, ...) leaves no trace.

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

struct HpglOptions {
    // Called every few thousand commands so a window can show that work is going on.
    std::function<void()> progress;
};

// `hpglBytes` is the plot file as the editor holds it. Commands end at ";" or ":",
// where the next two-letter command starts (streams written without separators),
// at a label's end-of-text byte, and at the end of the text; CR, LF and blanks
// inside a command are dropped (a blank between two numbers separates them).
// The result is the program as the G-code window shows it: every line ended by
// CR LF, coordinates with up to six decimals, runs of rapid moves reduced to the
// last one, rapid moves at the end left out, and "M30" as the last line.
// The pen starts up at (0, 0) in absolute mode. A number that does not fit single
// precision gives the error the window reports, and no program at all.
Result<std::string> hpglToGcode(std::string_view hpglBytes, const HpglOptions& options = {});

// The same program from `input` read as it goes, handed to `sink` in pieces; gives
// its length. After a failure the pieces handed over are no program.
Result<std::uint64_t> hpglToGcode(InputBytes& input, PieceSink& sink,
                                  const HpglOptions& options = {});

}  // namespace talmir::importers
