#include "text/NumberPicture.h"

#include <charconv>
#include <cmath>
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
    if (m_decimals > 30) {
        m_decimals = 30;
    }
    if (m_requiredDecimals > m_decimals) {
        m_requiredDecimals = m_decimals;
    }
}

namespace {

// True when |value| lies exactly half-way between two multiples of 10^-decimals.
// Only then does the rounding direction of to_chars (to even) differ from ours.
bool isExactHalf(double magnitude, int decimals) {
    char buf[512];
    // A tie has a finite expansion ending at decimals + 1; 40 more digits of zeros
    // after the 5 cannot happen for a non-tie of a size that prints at all.
    auto r =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, decimals + 41);
    if (r.ec != std::errc()) {
        return false;
    }
    const char* point = static_cast<const char*>(std::memchr(buf, '.', r.ptr - buf));
    if (point == nullptr) {
        return false;
    }
    const char* tail = point + 1 + decimals;
    if (*tail != '5') {
        return false;
    }
    for (const char* p = tail + 1; p < r.ptr; ++p) {
        if (*p != '0') {
            return false;
        }
    }
    return true;
}

}  // namespace

void NumberPicture::append(std::string& out, double value) const {
    if (std::isnan(value)) {
        out += "NaN";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-Infinity" : "Infinity";
        return;
    }
    const bool negative = value < 0;
    double magnitude = std::fabs(value);
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, m_decimals);
    if (r.ec != std::errc()) {
        out += "0";
        return;
    }
    std::size_t len = static_cast<std::size_t>(r.ptr - buf);
    // to_chars rounds ties to even; pictures round them away from zero.
    const char* pointPos = static_cast<const char*>(std::memchr(buf, '.', len));
    if (isExactHalf(magnitude, m_decimals)) {
        const char lastDigit = buf[len - 1];
        if ((lastDigit - '0') % 2 == 0) {
            // to_chars went down to the even digit: step one unit up.
            int i = static_cast<int>(len) - 1;
            for (; i >= 0; --i) {
                if (buf[i] == '.') {
                    continue;
                }
                if (buf[i] == '9') {
                    buf[i] = '0';
                } else {
                    ++buf[i];
                    break;
                }
            }
            if (i < 0) {
                std::memmove(buf + 1, buf, len);
                buf[0] = '1';
                ++len;
                pointPos = static_cast<const char*>(std::memchr(buf, '.', len));
            }
        }
    }
    std::size_t intLen = pointPos ? static_cast<std::size_t>(pointPos - buf) : len;
    std::string_view intPart(buf, intLen);
    std::string_view fracPart;
    if (pointPos) {
        fracPart = std::string_view(pointPos + 1, len - intLen - 1);
    }
    // Drop optional trailing decimals.
    std::size_t keep = fracPart.size();
    while (keep > static_cast<std::size_t>(m_requiredDecimals) && fracPart[keep - 1] == '0') {
        --keep;
    }
    fracPart = fracPart.substr(0, keep);
    // The integer part "0" is optional unless the picture requires a digit.
    if (intPart == "0" && m_requiredIntegerDigits == 0) {
        intPart = {};
    }
    if (negative) {
        out += '-';
    }
    for (int pad = m_requiredIntegerDigits - static_cast<int>(intPart.size()); pad > 0; --pad) {
        out += '0';
    }
    out += intPart;
    if (m_hasPoint && (!fracPart.empty() || m_requiredDecimals > 0)) {
        out += '.';
        out += fracPart;
    } else if (m_hasPoint && intPart.empty() && m_requiredIntegerDigits == 0) {
        // "#.##" of 0 prints "0": never an empty number.
        out += '0';
    }
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
