#pragma once
// Number pictures: "0" is a required digit, "#" an optional one, "." the decimal
// point. The value is rounded to the picture's decimals (halves away from zero, on
// the exact binary value), optional trailing decimals are dropped, required ones
// kept, a minus sign precedes negative values and nothing else is inserted:
// "######0.0###" writes 10 as "10.0" and 12.34567 as "12.3457".

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace talmir::text {

class NumberPicture {
public:
    // Any other character of the picture is ignored. At most 30 decimals.
    static constexpr int kMaxDecimals = 30;
    explicit NumberPicture(std::string_view picture);

    // Appends the text of `value` to `out`. A float is widened to double unchanged
    // before it gets here, so 12.3f prints as 12.30000019 with eight decimals.
    // NaN and infinities print as "NaN", "Infinity" and "-Infinity", which no
    // reader takes for a number.
    void append(std::string& out, double value) const;
    std::string format(double value) const;
    // Appends the number `units` / 10^decimals() with the sign `negative`: the
    // text `append` gives for that value, without going through a double. For
    // readers that hold a decimal exactly (no more decimals than the picture).
    void appendUnits(std::string& out, bool negative, std::uint64_t units) const {
        appendRounded(out, negative && units != 0, units);
    }

    // Room `writeShort` needs: a sign, 20 integer digits, the point, 19 decimals.
    static constexpr std::size_t kShortText = 48;
    // Writes the text `append` gives for `value` at `to`, which has room for
    // kShortText bytes, and returns its end; for lines built in a buffer of their
    // own. Returns nullptr, writing nothing, for a value whose digits do not fit
    // 64 bits (about 1.8e19 / 10^decimals and above), for NaN and the infinities,
    // and for pictures of more than 19 decimals or 20 required integer digits:
    // `append` writes those.
    char* writeShort(char* to, double value) const;

    int decimals() const { return m_decimals; }

private:
    void appendRounded(std::string& out, bool negative, std::uint64_t rounded) const;
    char* writeRounded(char* to, bool negative, std::uint64_t rounded) const;

    int m_requiredIntegerDigits = 0;  // "0" before the point
    int m_decimals = 0;               // positions after the point
    int m_requiredDecimals = 0;       // leading "0" positions after the point
    bool m_hasPoint = false;
};

// One-off form for code that is not on a hot path.
std::string formatPicture(double value, std::string_view picture);

}  // namespace talmir::text
