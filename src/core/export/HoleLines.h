#pragma once
// How the exports of the hole-data window tell its lines apart: a line holding "C"
// defines a tool (T01C1.0), a line holding "T" selects one (T01), a line holding
// "X" or "Y" is a hole (X12.5Y30.0). A comment holding "C", such as (CUT), counts as
// a definition too; every reader of the window takes it so.

#include "core/Failure.h"
#include "core/text/NumericValue.h"

#include <string>
#include <string_view>

namespace talmir::exporters {

inline bool holeHas(std::string_view line, char letter) {
    return line.find(letter) != std::string_view::npos;
}

inline bool isHoleLine(std::string_view line) {
    return holeHas(line, 'X') || holeHas(line, 'Y');
}

// The tool number of a definition or selection line: the numeric value of the
// text from its second character on (T01C1.0 and T01 give 1).
inline double holeToolNumber(std::string_view line) {
    return line.size() > 1 ? text::numericValue(line.substr(1)) : 0;
}

// The failure of a hole that stands where no defined tool is selected: it has no
// diameter and no layer. `lineNumber` counts from 1.
inline Failure holeWithoutToolFailure(std::size_t lineNumber) {
    return Failure::message("工具が選択されていない穴座標があります（" +
                            std::to_string(lineNumber) + "行目）");
}

}  // namespace talmir::exporters
