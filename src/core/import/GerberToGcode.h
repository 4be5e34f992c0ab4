#pragma once
// Gerber (RS-274X photoplot data) to G-code: draws (D01) become G01, G02 or G03
// moves, moves (D02) G00 moves, flashes (D03) G81 blocks, and aperture selections
// (D10 and up) lines "D" + the aperture number, which the G-code and graphic
// windows use as drawing codes. Parameter blocks between "%" characters (aperture
// definitions, format statements) are skipped: the options say how the numbers
// of the data map to millimetres.

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

// What the dialog GAI_FMT sets; nothing of it is kept between runs.
struct GerberImportOptions {
    // Frame "入力単位(1.23mm)": how 1.23 mm is written in the data.
    //   0 "1.23"    millimetres with a decimal point
    //   1 "123"     hundredths of a millimetre
    //   2 "1230"    thousandths (default)
    //   3 "12300"   ten-thousandths
    //   4 "X00123"  leading zeros kept, trailing zeros dropped, three integer digits
    //   5 "X000123" the same with four integer digits
    //   6 "123000"  hundred-thousandths
    // A number written with a decimal point under 4 or 5 is read as millimetres.
    // 7 to 14 are the further forms of CoordinateUnit: inches, turned into
    // millimetres, and millionths of a millimetre (%FSLAX46Y46*% of today's data).
    int unit = 2;
    // Frame "座標形式": "INC" when true. The data's own G90 and G91 switch too.
    bool incremental = false;
    // Called every few thousand blocks so a window can show that work goes on.
    std::function<void()> progress;
};

// `gerberBytes` is the text as the editor holds it. Blocks end at the first of
// "*", "$", LF or CR found in the text; "%...%" blocks and G04 comments leave no
// trace. The result is the program as the G-code window shows it, every line
// ended by CR LF, lengths in millimetres with one to five decimals. Arcs keep the
// data's I and J; under G74 (single quadrant, offsets without signs, until a G75)
// they get their signs from the geometry. Text without any block gives an empty
// program. An aperture number above 9999 fails with error 380, a coordinate
// beyond single precision with error 6 (overflow), an R block whose radius is
// shorter than half its chord with error 5; a failure gives no program at all.
Result<std::string> gerberToGcode(std::string_view gerberBytes,
                                  const GerberImportOptions& options = {});

// The same program from `input` read as it goes, handed to `sink` in pieces; gives
// its length. After a failure the pieces handed over are no program.
Result<std::uint64_t> gerberToGcode(InputBytes& input, PieceSink& sink,
                                    const GerberImportOptions& options = {});

}  // namespace talmir::importers
