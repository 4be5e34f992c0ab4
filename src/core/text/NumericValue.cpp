#include "core/text/NumericValue.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace talmir::text {

namespace {

// Blanks may stand anywhere in a number ("- 1 2.5" reads as -12.5).
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the characters of a number lie in a text.
struct Extent {
    std::size_t start = 0;  // first digit or point
    std::size_t end = 0;    // after the last character that belongs to it
    bool negative = false;
    bool anyDigit = false;
    bool innerBlanks = false;  // blanks between start and end
};

Extent scan(std::string_view text) {
    Extent e;
    const std::size_t size = text.size();
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < size && isBlank(text[i])) {
            ++i;
        }
    };
    skipBlanks();
    if (i < size && (text[i] == '+' || text[i] == '-')) {
        e.negative = text[i] == '-';
        ++i;
        skipBlanks();
    }
    e.start = i;
    bool point = false;
    for (;; ++i) {
        skipBlanks();
        if (i >= size || !(isDigit(text[i]) || (text[i] == '.' && !point))) {
            break;
        }
        point = point || text[i] == '.';
        e.anyDigit = e.anyDigit || text[i] != '.';
        e.end = i + 1;
    }
    if (!e.anyDigit) {
        return e;
    }
    // An exponent counts only with at least one digit: "1E" and "1E+" read as 1.
    if (i < size && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        skipBlanks();
        if (i < size && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        for (;; ++i) {
            skipBlanks();
            if (i >= size || !isDigit(text[i])) {
                break;
            }
            e.end = i + 1;
        }
    }
    for (std::size_t k = e.start; k < e.end && !e.innerBlanks; ++k) {
        e.innerBlanks = isBlank(text[k]);
    }
    return e;
}

// Whether a number that does not fit a double is too large (rather than too
// small): its decimal exponent, counted from the first significant digit.
bool isTooLarge(std::string_view number) {
    long long position = 0;  // digits before the point, or minus zeros after it
    bool seenPoint = false;
    bool significant = false;
    std::size_t i = 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            seenPoint = true;
        } else if (!significant && number[i] == '0') {
            position -= seenPoint ? 1 : 0;
        } else {
            significant = true;
            position += seenPoint ? 0 : 1;
        }
    }
    long long exponent = 0;
    bool negativeExponent = false;
    for (++i; i < number.size(); ++i) {
        if (number[i] == '-') {
            negativeExponent = true;
        } else if (isDigit(number[i]) && exponent < 1'000'000'000) {
            exponent = exponent * 10 + (number[i] - '0');
        }
    }
    return position + (negativeExponent ? -exponent : exponent) > 0;
}

double parse(std::string_view number, bool negative) {
    double value = 0.0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), value);
    if (r.ec == std::errc::result_out_of_range) {
        value = isTooLarge(number) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

}  // namespace

double numericValue(std::string_view text, std::size_t& consumedBytes) {
    const Extent e = scan(text);
    if (!e.anyDigit) {
        consumedBytes = 0;
        return 0.0;
    }
    consumedBytes = e.end;
    const std::string_view span = text.substr(e.start, e.end - e.start);
    if (!e.innerBlanks) {
        return parse(span, e.negative);
    }
    std::string packed;
    packed.reserve(span.size());
    for (char c : span) {
        if (!isBlank(c)) {
            packed += c;
        }
    }
    return parse(packed, e.negative);
}

double numericValue(std::string_view text) {
    std::size_t consumed = 0;
    return numericValue(text, consumed);
}

double quickNumericValue(std::string_view text) {
    double value = 0;
    return plainDecimal(text, value) ? value : numericValue(text);
}

}  // namespace talmir::text
