#include "text/NumericValue.h"

#include <charconv>

namespace talmir::text {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

double numericValue(std::string_view text, std::size_t& consumedBytes) {
    // Collect the number's characters without blanks into a small buffer; blanks
    // may stand anywhere inside ("- 1 2.5" reads as -12.5).
    char buf[128];
    std::size_t n = 0;
    std::size_t i = 0;
    const std::size_t size = text.size();
    auto skipBlanks = [&] {
        while (i < size && isBlank(text[i])) {
            ++i;
        }
    };
    auto put = [&](char c) {
        if (n < sizeof buf - 1) {
            buf[n++] = c;
        }
    };
    skipBlanks();
    if (i < size && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            put('-');
        }
        ++i;
    }
    bool anyDigit = false;
    bool point = false;
    std::size_t end = 0;
    for (;;) {
        skipBlanks();
        if (i >= size) {
            break;
        }
        const char c = text[i];
        if (isDigit(c)) {
            anyDigit = true;
            put(c);
            ++i;
            end = i;
        } else if (c == '.' && !point) {
            point = true;
            put(c);
            ++i;
            if (anyDigit) {
                end = i;
            }
        } else {
            break;
        }
    }
    if (!anyDigit) {
        consumedBytes = 0;
        return 0.0;
    }
    // Exponent: "E" followed by an optional sign and at least one digit.
    std::size_t save = i;
    std::size_t saveN = n;
    if (i < size && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        skipBlanks();
        put('e');
        if (i < size && (text[i] == '+' || text[i] == '-')) {
            put(text[i]);
            ++i;
        }
        bool expDigit = false;
        for (;;) {
            skipBlanks();
            if (i < size && isDigit(text[i])) {
                expDigit = true;
                put(text[i]);
                ++i;
            } else {
                break;
            }
        }
        if (expDigit) {
            end = i;
        } else {
            i = save;
            n = saveN;
        }
    }
    consumedBytes = end;
    double value = 0.0;
    auto r = std::from_chars(buf, buf + n, value);
    if (r.ec == std::errc::result_out_of_range) {
        // Beyond double: keep the sign, saturate.
        const bool neg = buf[0] == '-';
        bool tiny = false;
        for (std::size_t k = 0; k < n; ++k) {
            if (buf[k] == 'e') {
                tiny = k + 1 < n && buf[k + 1] == '-';
                break;
            }
        }
        if (tiny) {
            return neg ? -0.0 : 0.0;
        }
        return neg ? -1.0e308 * 10.0 : 1.0e308 * 10.0;
    }
    return value;
}

double numericValue(std::string_view text) {
    std::size_t consumed = 0;
    return numericValue(text, consumed);
}

}  // namespace talmir::text
