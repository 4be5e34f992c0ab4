#pragma once
// The numeric value of a text, as every word value of NC text is read: blanks are
// skipped, then an optional sign, digits with at most one decimal point and an
// optional exponent ("E" with digits) form the number; reading stops at the first
// other character. Text with no number reads as 0 ("X10.Y20." after X gives 10).
// Blanks, tabs and line feeds are skipped anywhere inside the number, "D" is not
// an exponent, and a number beyond the range of a double reads as plus or minus
// infinity (callers that turn it into an integer must check).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace talmir::text {

double numericValue(std::string_view text);

// The same, also telling how many bytes of `text` were consumed (0 when no number).
double numericValue(std::string_view text, std::size_t& consumedBytes);

// The plain form nearly every coordinate and DXF value takes ("-12.345", ".5",
// "007.50", "12.5Y"): a sign, digits with at most one point, ended by the end of the
// text or by a character that cannot go on with a number. For that form, sets
// `value` to exactly what numericValue gives (bit for bit, -0 included; a lone sign
// or point is 0) and returns true. Returns false, `value` untouched, for anything
// numericValue must decide: a blank at the start or after the digits, an exponent,
// more than 19 digits (leading zeros count) or digits above 2^53.
// Inline: the plot scanner and the exports call it for every word of a text.
inline bool plainDecimal(std::string_view text, double& value) {
    // Up to 2^53 the digits, and up to 10^19 the power of ten, are exact doubles, so
    // one division rounds correctly, as the general reader does.
    static constexpr std::array<double, 20> kExactPowers = {
        1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
        1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
    constexpr std::ptrdiff_t kMaxDigits = 19;  // 19 digits still fit in 64 bits
    const char* p = text.data();
    const char* const end = p + text.size();
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char* const start = p;
    const char* point = nullptr;
    // Past 19 digits this wraps; the count below then turns the text away.
    std::uint64_t digits = 0;
    for (; p < end; ++p) {
        const auto digit = static_cast<unsigned char>(*p - '0');
        if (digit < 10) {
            digits = digits * 10 + digit;
        } else if (*p == '.' && point == nullptr) {
            point = p;
        } else {
            break;
        }
    }
    // Blanks inside a number and exponents go on with it: the general reader.
    if (p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == 'E' || *p == 'e')) {
        return false;
    }
    const std::ptrdiff_t count = (p - start) - (point != nullptr ? 1 : 0);
    if (count > kMaxDigits || digits > (std::uint64_t{1} << 53)) {
        return false;
    }
    if (count == 0) {
        value = 0.0;  // a lone sign is no number, and no number is 0 (not -0)
        return true;
    }
    const std::ptrdiff_t decimals = point != nullptr ? p - point - 1 : 0;
    // A whole number needs no division (x / 1 is x); plotter units mostly are.
    const double magnitude = decimals == 0 ? static_cast<double>(digits)
                                           : static_cast<double>(digits) /
                                                 kExactPowers[static_cast<std::size_t>(decimals)];
    value = negative ? -magnitude : magnitude;
    return true;
}

// numericValue(text), read through plainDecimal where the text allows it. Not
// inline, unlike plainDecimal: a reader that takes one number per call (a DXF
// value) gains nothing from the copy in its own loop, which only crowds it.
double quickNumericValue(std::string_view text);

}  // namespace talmir::text
