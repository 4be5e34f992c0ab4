#pragma once
// Reading the words of a photoplot or router block ("X-1250Y300D01", "G02X5R2"),
// shared by the Gerber and router imports (their arcs by radius: RadiusArc.h).

#include "core/Failure.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace talmir::importers::blocks {

inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130824;

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The whole number of the digits right after the letter at `at`, 0 when there
// are none; runs too long for any code saturate.
inline int codeAfter(std::string_view block, std::size_t at) {
    constexpr int kSaturated = 1'000'000;
    int code = 0;
    for (std::size_t i = at + 1; i < block.size() && isDigit(block[i]); ++i) {
        code = code >= kSaturated ? kSaturated : code * 10 + (block[i] - '0');
    }
    return code;
}

// The characters after the letter at `at` that make up its number: blanks,
// digits, point and signs ("X-1250Y" gives "-1250").
inline std::string_view numberAfter(std::string_view block, std::size_t at) {
    std::size_t end = at + 1;
    while (end < block.size()) {
        const char c = block[end];
        if (!(isDigit(c) || c == ' ' || c == '.' || c == '-' || c == '+')) {
            break;
        }
        ++end;
    }
    return block.substr(at + 1, end - at - 1);
}

// Where the word of `letter` starts: the first `letter` with a number after it, so
// that the "Z" of a header such as "INCH,TZ" is no Z word; npos when there is none.
inline std::size_t findWord(std::string_view block, char letter) {
    for (std::size_t at = block.find(letter); at != std::string_view::npos;
         at = block.find(letter, at + 1)) {
        for (const char c : numberAfter(block, at)) {
            if (isDigit(c)) {
                return at;
            }
        }
    }
    return std::string_view::npos;
}

// The value as a coordinate: anything a single-precision coordinate cannot hold
// (NaN and infinity among them) is an overflow, so no "Infinity" reaches the text.
inline double checked(double value) {
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX))) {
        throw Failure{6, "オーバーフローしました。"};
    }
    return value;
}

}  // namespace talmir::importers::blocks
