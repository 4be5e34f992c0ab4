#pragma once
// G-code to Gerber photoplotter data. Rapid moves become D02 moves, feeds D01 draws
// (arcs keep their I and J), G81 positions D03 flashes, and every section line (an
// item without "G00", "G01", "G02", "G03" or "G81") selects an aperture: D10 for
// the first distinct one, D11 for the next, and so on; a section line that is
// itself a D code above 9 ("D12") selects that code. The text is read as
// comma-separated items of the G-code window's snapshot.

#include "core/Failure.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace talmir::exporters {

class ExportSink;

// Frame "改行ｺｰﾄﾞ": what ends every block.
enum class GerberBlockEnd {
    Cr = 0,
    Lf = 1,
    CrLf = 2,
    Star = 3,  // "*": the blocks follow each other on one line
};

// What the dialog GB_FMT sets.
struct GerberOptions {
    // Frame "出力単位(1.2345mm)": 0 writes millimetres with up to four decimals
    // (X1.2345), 1 hundredths (X123), 2 thousandths (X1235), 3 ten-thousandths (X12345).
    int unit = 2;
    GerberBlockEnd blockEnd = GerberBlockEnd::Star;
    // "RS-274X形式で出力": a complete RS-274X file that viewers read as it is: format
    // statement and millimetre mode for the chosen unit (unit 0 as integers with four
    // decimals), a 0.1 mm round aperture for every D code used, multi-quadrant arcs,
    // "*" at every block end followed by the chosen line break (CR LF for "*"), and
    // M02 at the end instead of M30.
    bool rs274x = false;
};

// The whole Gerber text. Fails with the message "変換可能なコマンドが、見つかりませんでした"
// when no G00 line is there to convert, with error 9 beyond 256 distinct section
// lines, and with error 6 for a number beyond single precision.
Result<std::string> gcodeToGerber(std::string_view gcode, const GerberOptions& options);

// The same bytes handed to `sink` piece by piece; gives their number. A failure
// can come after some pieces were handed over.
Result<std::uint64_t> gcodeToGerber(std::string_view gcode, const GerberOptions& options,
                                    ExportSink& sink);

}  // namespace talmir::exporters
