#include "core/text/NumberPicture.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace talmir::text {

NumberPicture::NumberPicture(std::string_view picture) {
    bool afterPoint = false;
    for (char c : picture) {
        if (c == '.') {
            afterPoint = true;
            m_hasPoint = true;
        } else if (c == '0' || c == '#') {
            if (!afterPoint) {
                if (c == '0') {
                    ++m_requiredIntegerDigits;
                }
            } else {
                ++m_decimals;
                // Required decimals are the "0" positions up to the last "0" after the point.
                if (c == '0') {
                    m_requiredDecimals = m_decimals;
                }
            }
        }
    }
    m_decimals = std::min(m_decimals, kMaxDecimals);
    m_requiredDecimals = std::min(m_requiredDecimals, m_decimals);
}

namespace {

__extension__ typedef unsigned __int128 Uint128;

constexpr int kMaxDigits = 400;  // 309 integer digits of the largest double + decimals

constexpr int kFastDecimals = 19;  // 10^19 still fits 64 bits
constexpr int kFastIntegerDigits = 20;

constexpr auto kPowersOfTen = [] {
    std::array<std::uint64_t, kFastDecimals + 1> powers{};
    std::uint64_t power = 1;
    for (auto& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// A finite positive double as mantissa * 2^exponent with the mantissa's low bit set
// (or 0 for zero).
struct Binary {
    std::uint64_t mantissa;
    int exponent;
};

Binary decompose(double magnitude) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52) & 0x7FF;
    std::uint64_t mantissa = bits & ((1ULL << 52) - 1);
    int exponent = -1074;
    if (biased != 0) {
        mantissa |= 1ULL << 52;
        exponent = biased - 1075;
    }
    if (mantissa == 0) {
        return {0, 0};
    }
    const int zeros = std::countr_zero(mantissa);
    return {mantissa >> zeros, exponent + zeros};
}

// round(magnitude * 10^decimals), halves away from zero, into `rounded`. The
// product is exact (64-bit integers where it fits them, as it does for every
// float and for doubles of a few digits, 128-bit ones otherwise), so the rounding
// sees the exact binary value. False when the result does not fit 64 bits.
bool roundedFast(Binary b, int decimals, std::uint64_t& rounded) {
    rounded = 0;
    if (b.mantissa == 0) {
        return true;
    }
    std::uint64_t small = 0;
    const bool fits = !__builtin_mul_overflow(b.mantissa, kPowersOfTen[decimals], &small);
    if (fits && b.exponent >= 0 && b.exponent < 64 &&
        (b.exponent == 0 || (small >> (64 - b.exponent)) == 0)) {
        rounded = small << b.exponent;
        return true;
    }
    if (fits && b.exponent < 0 && b.exponent > -64) {
        const int shift = -b.exponent;
        const std::uint64_t whole = small >> shift;
        const std::uint64_t rest = small - (whole << shift);
        // whole < 2^63, so the carry cannot overflow.
        rounded = whole + (rest >= (std::uint64_t{1} << (shift - 1)) ? 1 : 0);
        return true;
    }
    // mantissa < 2^53 and 10^decimals < 2^64: the product fits 117 bits.
    const Uint128 product = Uint128{b.mantissa} * kPowersOfTen[decimals];
    if (b.exponent >= 0) {
        if (b.exponent >= 64 || (product >> (64 - b.exponent)) != 0) {
            return false;
        }
        const Uint128 whole = product << b.exponent;
        if (whole >> 64 != 0) {
            return false;
        }
        rounded = static_cast<std::uint64_t>(whole);
    } else if (const int shift = -b.exponent; shift < 118) {
        const Uint128 whole = product >> shift;
        const Uint128 rest = product - (whole << shift);
        const Uint128 half = Uint128{1} << (shift - 1);
        const Uint128 up = whole + (rest >= half ? 1 : 0);
        if (up >> 64 != 0) {
            return false;
        }
        rounded = static_cast<std::uint64_t>(up);
    }  // else far below one unit of the last decimal: rounds to 0
    return true;
}

// Writes round(magnitude * 10^decimals) as decimal digits padded with leading
// zeros to at least decimals + 1 digits. Returns the digit count, or 0 when the
// result does not fit 64 bits.
int roundedDigitsFast(Binary b, int decimals, char* digits) {
    std::uint64_t rounded = 0;
    if (!roundedFast(b, decimals, rounded)) {
        return 0;
    }
    char text[24] = {};
    const auto r = std::to_chars(text, text + sizeof text, rounded);
    const int length = static_cast<int>(r.ptr - text);
    const int padded = std::max(length, decimals + 1);
    std::memset(digits, '0', static_cast<std::size_t>(padded - length));
    std::memcpy(digits + padded - length, text, static_cast<std::size_t>(length));
    return padded;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the decimal digits of `value` backwards ending before `end`, at least
// `minimum` of them (leading zeros); returns the first.
inline char* digitsBefore(char* end, std::uint64_t value, int minimum) {
    char* p = end;
    while (value >= 100) {
        const auto pair = static_cast<std::size_t>(value % 100) * 2;
        value /= 100;
        p -= 2;
        p[0] = kDigitPairs[pair];
        p[1] = kDigitPairs[pair + 1];
    }
    if (value >= 10) {
        const auto pair = static_cast<std::size_t>(value) * 2;
        p -= 2;
        p[0] = kDigitPairs[pair];
        p[1] = kDigitPairs[pair + 1];
    } else if (value > 0) {
        *--p = static_cast<char>('0' + value);
    }
    while (end - p < minimum) {
        *--p = '0';
    }
    return p;
}

// The number of decimal digits of `value` (1 for 0).
int digitCount(std::uint64_t value) {
    const int bits = 64 - std::countl_zero(value | 1);
    const int guess = (bits * 1233) >> 12;  // 1233 / 4096 is just above log10(2)
    return guess + (value >= kPowersOfTen[static_cast<std::size_t>(guess)] ? 1 : 0);
}

// `rounded` / 10^decimals and the rest. The usual picture sizes get a constant
// divisor, which the compiler turns into a multiplication.
template <int Decimals>
void splitAt(std::uint64_t rounded, std::uint64_t& integer, std::uint64_t& fraction) {
    constexpr std::uint64_t kScale = kPowersOfTen[Decimals];
    integer = rounded / kScale;
    fraction = rounded - integer * kScale;
}

void splitAt(std::uint64_t rounded, int decimals, std::uint64_t& integer, std::uint64_t& fraction) {
    switch (decimals) {
        case 0:
            integer = rounded;
            fraction = 0;
            return;
        case 1:
            splitAt<1>(rounded, integer, fraction);
            return;
        case 2:
            splitAt<2>(rounded, integer, fraction);
            return;
        case 3:
            splitAt<3>(rounded, integer, fraction);
            return;
        case 4:
            splitAt<4>(rounded, integer, fraction);
            return;
        case 5:
            splitAt<5>(rounded, integer, fraction);
            return;
        case 6:
            splitAt<6>(rounded, integer, fraction);
            return;
        case 7:
            splitAt<7>(rounded, integer, fraction);
            return;
        case 8:
            splitAt<8>(rounded, integer, fraction);
            return;
        default: {
            const std::uint64_t scale = kPowersOfTen[static_cast<std::size_t>(decimals)];
            integer = rounded / scale;
            fraction = rounded - integer * scale;
        }
    }
}

// The same for any size and up to kMaxDecimals decimals, through the correctly
// rounded fixed notation of to_chars. That rounds exact halves to even; a half is
// exact when the lowest set bit of the value stands one place after the last
// decimal in binary terms (value * 10^decimals * 2 is odd), and then the
// expansion with one more decimal is exact and rounded up by hand.
int roundedDigitsSlow(double magnitude, Binary b, int decimals, char* digits) {
    const bool exactHalf = b.mantissa != 0 && b.exponent == -(decimals + 1);
    char text[kMaxDigits];
    const int precision = exactHalf ? decimals + 1 : decimals;
    const auto r =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::fixed, precision);
    int length = 0;
    for (const char* p = text; p < r.ptr; ++p) {
        if (*p != '.') {
            digits[length++] = *p;
        }
    }
    if (exactHalf) {
        --length;  // the final "5"
        int i = length - 1;
        for (; i >= 0 && digits[i] == '9'; --i) {
            digits[i] = '0';
        }
        if (i >= 0) {
            ++digits[i];
        } else {
            std::memmove(digits + 1, digits, static_cast<std::size_t>(length));
            digits[0] = '1';
            ++length;
        }
    }
    return length;
}

}  // namespace

void NumberPicture::append(std::string& out, double value) const {
    // Nearly every value takes the short form.
    char text[kShortText];
    if (const char* const end = writeShort(text, value); end != nullptr) {
        out.append(text, static_cast<std::size_t>(end - text));
        return;
    }
    if (!std::isfinite(value)) {
        // Never a number a machine could take for a coordinate.
        out += std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
        return;
    }
    // No minus sign before a zero: a negative value that rounds to zero is written
    // as zero ("X0.0", never "X-0.0"), as is negative zero.
    bool negative = value < 0;
    const double magnitude = std::fabs(value);
    const Binary binary = decompose(magnitude);
    char digits[kMaxDigits];
    int count = 0;
    if (m_decimals <= kFastDecimals) {
        count = roundedDigitsFast(binary, m_decimals, digits);
    }
    if (count == 0) {
        count = roundedDigitsSlow(magnitude, binary, m_decimals, digits);
    }

    negative = negative && std::any_of(digits, digits + count, [](char d) { return d != '0'; });
    const char* integer = digits;
    int integerLength = count - m_decimals;
    while (integerLength > 0 && *integer == '0') {
        ++integer;
        --integerLength;
    }
    const int padding = std::max(0, m_requiredIntegerDigits - integerLength);
    const char* fraction = digits + count - m_decimals;
    int fractionLength = m_decimals;
    while (fractionLength > m_requiredDecimals && fraction[fractionLength - 1] == '0') {
        --fractionLength;
    }
    const bool point = m_hasPoint && fractionLength > 0;
    // "#.##" of 0 would leave nothing at all; write "0" then.
    const bool loneZero = m_hasPoint && !point && integerLength + padding == 0;

    const std::size_t start = out.size();
    const std::size_t length = (negative ? 1 : 0) + static_cast<std::size_t>(padding) +
                               static_cast<std::size_t>(integerLength) + (point ? 1 : 0) +
                               static_cast<std::size_t>(fractionLength) + (loneZero ? 1 : 0);
    out.resize(start + length);
    char* p = out.data() + start;
    if (negative) {
        *p++ = '-';
    }
    std::memset(p, '0', static_cast<std::size_t>(padding + (loneZero ? 1 : 0)));
    p += padding + (loneZero ? 1 : 0);
    std::memcpy(p, integer, static_cast<std::size_t>(integerLength));
    p += integerLength;
    if (point) {
        *p++ = '.';
        std::memcpy(p, fraction, static_cast<std::size_t>(fractionLength));
    }
}

char* NumberPicture::writeShort(char* to, double value) const {
    if (!std::isfinite(value) || m_decimals > kFastDecimals ||
        m_requiredIntegerDigits > kFastIntegerDigits) {
        return nullptr;
    }
    std::uint64_t rounded = 0;
    if (!roundedFast(decompose(std::fabs(value)), m_decimals, rounded)) {
        return nullptr;
    }
    // No minus sign before a zero, as in append.
    return writeRounded(to, value < 0 && rounded != 0, rounded);
}

// The same text as append's general path gives, from the rounded integer: the
// whole number, then the decimals without the optional zeros at their end.
void NumberPicture::appendRounded(std::string& out, bool negative, std::uint64_t rounded) const {
    char text[kShortText];
    const char* const end = writeRounded(text, negative, rounded);
    out.append(text, static_cast<std::size_t>(end - text));
}

// At most a sign, 20 integer digits (m_requiredIntegerDigits is at most 20 here),
// the point and 19 decimals: kShortText.
char* NumberPicture::writeRounded(char* to, bool negative, std::uint64_t rounded) const {
    std::uint64_t integer = 0;
    std::uint64_t fraction = 0;
    splitAt(rounded, m_decimals, integer, fraction);
    int fractionLength = m_decimals;
    while (fractionLength > m_requiredDecimals && fraction % 10 == 0) {
        fraction /= 10;
        --fractionLength;
    }
    char* p = to;
    if (negative) {
        *p++ = '-';
    }
    const int integerLength = integer != 0 ? digitCount(integer) : 0;
    const int padding = std::max(0, m_requiredIntegerDigits - integerLength);
    const bool point = m_hasPoint && fractionLength > 0;
    // "#.##" of 0 would leave nothing at all; write "0" then.
    const int zeros = padding + (m_hasPoint && !point && integerLength + padding == 0 ? 1 : 0);
    for (int i = 0; i < zeros; ++i) {
        *p++ = '0';
    }
    if (integerLength > 0) {
        p += integerLength;
        digitsBefore(p, integer, 0);
    }
    if (point) {
        *p++ = '.';
        p += fractionLength;
        digitsBefore(p, fraction, fractionLength);
    }
    return p;
}

std::string NumberPicture::format(double value) const {
    std::string out;
    append(out, value);
    return out;
}

std::string formatPicture(double value, std::string_view picture) {
    return NumberPicture(picture).format(value);
}

}  // namespace talmir::text
