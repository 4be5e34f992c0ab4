#pragma once
// Router (PCB milling) programs to G-code: the tool goes up and down with Z, so
// moves with the tool up become G00 and moves with the tool down G01; arcs keep
// their I and J or get them from an R radius, and the coordinates are scaled to
// millimetres by the unit the options name.

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

// What the dialog Ruta_FMT sets; nothing of it is kept between runs.
struct RouterImportOptions {
    // Frame "入力単位(1.23mm)": how 1.23 mm is written in the data.
    //   0 "1.23"  millimetres with a decimal point
    //   1 "123"   hundredths of a millimetre
    //   2 "1230"  thousandths (default)
    int unit = 2;
    // Frame "座標形式": "INC" when true. The data's own G90 and G91 switch too.
    bool incremental = false;
    // Called every few thousand records so a window can show that work goes on.
    std::function<void()> progress;
};

// `routerBytes` is the text as the editor holds it. Every control character ends
// a record, records with "%" are skipped and "(...)" comments leave no trace. The
// result starts with the drawing code "D10" and holds one line per record with X
// or Y, every line ended by CR LF, lengths in millimetres with one to four
// decimals. G00 to G03 and the canned cycles G81 to G89 set the motion word (G01
// counts as G00 while the last Z is 0 or above); a Z above 0 makes it G00, a Z of
// 0 or below G01. A coordinate beyond single precision fails with error 6
// (overflow), an R record whose radius is shorter than half its chord with error
// 5, a unit outside 0 to 2 with error 5; a failure gives no program at all.
Result<std::string> routerToGcode(std::string_view routerBytes,
                                  const RouterImportOptions& options = {});

// The same program from `input` read as it goes, handed to `sink` in pieces; gives
// its length. After a failure the pieces handed over are no program.
Result<std::uint64_t> routerToGcode(InputBytes& input, PieceSink& sink,
                                    const RouterImportOptions& options = {});

}  // namespace talmir::importers
