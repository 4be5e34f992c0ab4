#pragma once
// The macro expander of wire-cut programs: subprogram calls (M98P1000 reads the
// file "O1000"), the variables #0 to #9000, assignments, IF ... GOTO and GOTO, the
// G92 origin and G90 / G91 worked out into plain moves that the plot can draw:
//
//     G92X0Y0          G40
//     #1=10.           G00X0Y0       (always the first two lines)
//     G01X#1Y0         G40
//     G02X20.Y0R5.     G01X10.0Y0.0
//                      G02X20.0Y0.0I5.0J0.0
//
// Every line of the result ends with CR LF; coordinates are single precision,
// written through "#######0.0####".

#include "core/Failure.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace talmir {
class InputBytes;
class PieceSink;
}  // namespace talmir

namespace talmir::importers {

// Calls nest this deep below the main program; a call from the deepest level is
// refused.
inline constexpr int kMaxSubprogramDepth = 8;
// A program whose expansion reads more lines than this (counting every line of
// every call) is refused: calls nested eight deep can multiply a short program
// past any plot.
inline constexpr std::uint64_t kMaxExpandedLines = 20'000'000;

struct WirFmtOptions {
    // The bytes of the subprogram file named `fileName` ("O1000" for M98P1000), or
    // nullopt when there is none. Asked once per name; the expander keeps them.
    std::function<std::optional<std::string>(std::string_view fileName)> subprogram;
    // Called every few thousand lines.
    std::function<void()> progress;
};

// Expands `program` (the editor's text, any line ends, Shift-JIS bytes).
// Comments "(...)" are left out of every line, a line with "%" or a dwell G04 is
// dropped; M codes are passed over. A jump goes forward to the next line holding
// "N" + its label (N10 is also found in N100). Fails with the program's message
// when a subprogram is missing ("O1000が登録されていません"), when calls nest past
// kMaxSubprogramDepth, when a jump finds no label ahead (a jump back would loop),
// on a variable number past #9000, a division by zero, a value beyond single
// precision, an arc radius too short for its chord, or an expansion past
// kMaxExpandedLines.
Result<std::string> WirFmt(std::string_view program, const WirFmtOptions& options);

// The same program from `input` read as it goes, handed to `sink` in pieces; gives
// its length. After a failure the pieces handed over are no program.
Result<std::uint64_t> WirFmt(InputBytes& input, PieceSink& sink, const WirFmtOptions& options);

}  // namespace talmir::importers
