#pragma once
// Gerber writing shared by the exports: how the options of the Gerber dialog shape
// coordinates, block ends and the RS-274X format statement.

#include "core/export/GcodeToGerber.h"
#include "core/text/NumberPicture.h"

#include <string>
#include <string_view>

namespace talmir::exporters {

struct GerberForm {
    double factor;                       // millimetres to the written unit
    const text::NumberPicture* picture;  // of a coordinate
    int decimals;                        // of the RS-274X format statement
    // What ends every block: the chosen end, or in the RS-274X form "*" and the
    // chosen line break (CR LF for "*").
    std::string_view blockEnd;
    bool rs274x;
    // The line break after a "%...%" statement: none in the block form with "*"
    // (the statements follow each other on one line), else the chosen one.
    std::string_view lineBreak() const;
};

GerberForm gerberForm(const GerberOptions& options);

// The RS-274X format statement and millimetre mode, each on a line of its own.
void appendGerberFormat(std::string& out, const GerberForm& form);

// `letter` and factor × `value` through the coordinate picture; the overflow
// failure for a value beyond single precision (NaN and infinity among them).
void appendGerberCoordinate(std::string& out, const GerberForm& form, char letter, double value);

}  // namespace talmir::exporters
