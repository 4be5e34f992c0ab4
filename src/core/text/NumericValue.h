#pragma once
// The numeric value of a text, as every word value of NC text is read: blanks are
// skipped, then an optional sign, digits with at most one decimal point and an
// optional exponent ("E" with digits) form the number; reading stops at the first
// other character. Text with no number reads as 0 ("X10.Y20." after X gives 10).
// Blanks, tabs and line feeds are skipped anywhere inside the number, "D" is not
// an exponent, and a number beyond the range of a double reads as plus or minus
// infinity (callers that turn it into an integer must check).

#include <cstddef>
#include <string_view>

namespace talmir::text {

double numericValue(std::string_view text);

// The same, also telling how many bytes of `text` were consumed (0 when no number).
double numericValue(std::string_view text, std::size_t& consumedBytes);

}  // namespace talmir::text
