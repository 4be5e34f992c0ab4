#pragma once
// The format of a drill file guessed from its own evidence, so that the options
// dialog opens with the choices that read the holes at the right scale and place:
// the header (METRIC or INCH, LZ or TZ, "METRIC,LZ,000.000", ";FILE_FORMAT=2:4",
// ";FORMAT={2:4/ absolute / inch / keep zeros}", M71/M72, ICI), the coordinates
// (decimal points, digit counts, leading or trailing zeros) and the tool sizes
// against the unit (a 0.03 drill is in inches). Gerber flash data ("%FSLAX24Y24*%",
// "%MOIN*%", D03 flashes) and G81 drilling programs are recognised too. With no
// evidence the dialog's defaults stand.

#include "core/import/DrillToHoles.h"

#include <string>
#include <string_view>

namespace talmir::importers {

struct DrillGuess {
    DrillOptions options;
    // One line (UTF-8) saying what was guessed and from what.
    std::string summary;
    // False when nothing in the text spoke for any option.
    bool evidence = false;
    // The block separator the text uses, the first "*", LF or CR in it: 0 "*",
    // 1 LF, 2 CR (the conversion always finds it itself).
    int separator = 0;
};

// Reads the first 256 KiB of `text`.
DrillGuess guessDrillFormat(std::string_view text);

// The Gerber import's choices from the data's format statement (%FSLAX24Y24*%:
// zeros, absolute or incremental, digits) and unit (%MOIN*% or %MOMM*%, or G70 and
// G71 of older data).
struct GerberGuess {
    int unit = 2;  // GerberImportOptions::unit
    bool incremental = false;
    std::string summary;
    bool evidence = false;
};

GerberGuess guessGerberFormat(std::string_view text);

}  // namespace talmir::importers
