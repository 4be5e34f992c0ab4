#include "core/text/ShiftJis.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace talmir::text {

namespace {

#include "core/text/Cp932Table.inc"

constexpr int kTrailFirst = 0x40;
constexpr int kTrailCount = 0x100 - kTrailFirst;

// Bytes that are not valid Shift-JIS, and codes whose character would encode to
// another code, show as U+F0000 plus the byte (0x80-0xFF) or plus lead * 256 +
// trail. Plane 15 stays clear of the code page's own private-use characters
// (U+E000-U+E757 and U+F8F0-U+F8F3), and the code point tells the bytes.
constexpr char32_t kRawBase = 0xF0000;

constexpr bool isTrailByte(unsigned char b) {
    return b >= kTrailFirst && b != 0x7F && b <= 0xFC;
}

constexpr int leadIndex(unsigned char lead) {
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
}

// Unicode (BMP) to the Shift-JIS code: 0 = not in the code page, below 0x100 a
// single byte, otherwise lead * 256 + trail. ASCII is handled before the lookup.
using EncodeTable = std::array<std::uint16_t, 0x10000>;

constexpr EncodeTable buildEncodeTable() {
    EncodeTable table{};
    for (int b = 0x80; b < 0x100; ++b) {
        if (const std::uint16_t cp = kCp932Single[b - 0x80]; cp != 0) {
            table[cp] = static_cast<std::uint16_t>(b);
        }
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (int trail = kTrailFirst; trail < 0x100; ++trail) {
            const std::uint16_t cp =
                kCp932Pair[leadIndex(static_cast<unsigned char>(lead)) * kTrailCount + trail -
                           kTrailFirst];
            if (cp != 0) {
                table[cp] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        }
    }
    for (const auto& oneWay : kCp932OneWay) {
        if (table[oneWay[0]] == 0) {
            table[oneWay[0]] = oneWay[1];
        }
    }
    return table;
}

constexpr EncodeTable kEncode = buildEncodeTable();

// No byte of the eight has its high bit set.
inline bool allAscii8(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080ULL) == 0;
}

inline char* putUtf8(char* out, char32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// The UTF-8 form of a BMP character packed for one four-byte store: the bytes in
// memory order, then the length in the fourth byte (0 for no character).
constexpr std::uint32_t packUtf8(std::uint16_t cp) {
    if (cp == 0) {
        return 0;
    }
    std::uint32_t bytes[3] = {};
    std::uint32_t length = 0;
    if (cp < 0x800) {
        bytes[0] = 0xC0 | (cp >> 6);
        bytes[1] = 0x80 | (cp & 0x3F);
        length = 2;
    } else {
        bytes[0] = 0xE0 | (cp >> 12);
        bytes[1] = 0x80 | ((cp >> 6) & 0x3F);
        bytes[2] = 0x80 | (cp & 0x3F);
        length = 3;
    }
    if constexpr (std::endian::native == std::endian::little) {
        return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | length << 24;
    } else {
        return bytes[0] << 24 | bytes[1] << 16 | bytes[2] << 8 | length;
    }
}

constexpr std::uint32_t packedLength(std::uint32_t packed) {
    return std::endian::native == std::endian::little ? packed >> 24 : packed & 0xFF;
}

template <std::size_t N>
constexpr std::array<std::uint32_t, N> packTable(const std::uint16_t (&codePoints)[N]) {
    std::array<std::uint32_t, N> table{};
    for (std::size_t k = 0; k < N; ++k) {
        table[k] = packUtf8(codePoints[k]);
    }
    return table;
}

constexpr auto kSingleUtf8 = packTable(kCp932Single);
constexpr auto kPairUtf8 = packTable(kCp932Pair);

// Offset of a lead byte's row in the pair table, or -1 for other bytes.
constexpr auto kLeadRow = [] {
    std::array<int, 256> rows{};
    for (int b = 0; b < 256; ++b) {
        rows[b] = isLeadByte(static_cast<unsigned char>(b))
                      ? leadIndex(static_cast<unsigned char>(b)) * kTrailCount
                      : -1;
    }
    return rows;
}();

// Decodes in[pos, end) (a pair may take one byte past `end`) to `out`, which has
// room for four bytes per input byte plus four. Returns the new output end and
// moves `pos` past what was read.
char* decodeBlock(const char* in, std::size_t& pos, std::size_t end, std::size_t size, char* out) {
    std::size_t i = pos;
    while (i < end) {
        while (i + 8 <= end && allAscii8(in + i)) {
            std::memcpy(out, in + i, 8);
            out += 8;
            i += 8;
        }
        if (i >= end) {
            break;
        }
        const auto b = static_cast<unsigned char>(in[i]);
        if (b < 0x80) {
            *out++ = static_cast<char>(b);
            ++i;
            continue;
        }
        if (const int row = kLeadRow[b]; row >= 0 && i + 1 < size) {
            const auto trail = static_cast<unsigned char>(in[i + 1]);
            if (trail >= kTrailFirst) {
                const std::uint32_t packed =
                    kPairUtf8[static_cast<std::size_t>(row + trail - kTrailFirst)];
                if (packed != 0) {
                    std::memcpy(out, &packed, 4);  // the fourth byte is overwritten later
                    out += packedLength(packed);
                    i += 2;
                    continue;
                }
                if (isTrailByte(trail)) {
                    out = putUtf8(out, kRawBase + (char32_t{b} << 8 | trail));
                    i += 2;
                    continue;
                }
            }
        }
        // A lead byte without its trail byte (at the end, or before a line end or
        // another byte that cannot follow it) stands alone, so the next byte keeps
        // its own meaning.
        if (const std::uint32_t packed = kSingleUtf8[b - 0x80]; packed != 0) {
            std::memcpy(out, &packed, 4);
            out += packedLength(packed);
        } else {
            out = putUtf8(out, kRawBase + b);
        }
        ++i;
    }
    pos = i;
    return out;
}

// The Shift-JIS bytes of a private-use character made by the decoder, or 0.
std::uint16_t rawBytesOf(char32_t cp) {
    const char32_t raw = cp - kRawBase;
    if (raw >= 0x80 && raw <= 0xFF) {
        return static_cast<std::uint16_t>(raw);
    }
    if (raw >= 0x8100 && raw <= 0xFCFF && isLeadByte(static_cast<unsigned char>(raw >> 8)) &&
        isTrailByte(static_cast<unsigned char>(raw & 0xFF))) {
        return static_cast<std::uint16_t>(raw);
    }
    return 0;
}

inline bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Reads one UTF-8 sequence at in[i] (not ASCII). Returns the code point and its
// length in `length`, or length 0 for an invalid or truncated sequence (overlong
// forms and surrogates included).
inline char32_t readUtf8(const unsigned char* in, std::size_t i, std::size_t size,
                         std::size_t& length) {
    const unsigned char b = in[i];
    length = 0;
    // Three bytes first: kanji, kana and full-width forms.
    if (b >= 0xE0 && b <= 0xEF) {
        if (i + 2 < size && isContinuation(in[i + 1]) && isContinuation(in[i + 2])) {
            const char32_t cp =
                char32_t(b & 0x0F) << 12 | char32_t(in[i + 1] & 0x3F) << 6 | (in[i + 2] & 0x3F);
            if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF)) {
                length = 3;
                return cp;
            }
        }
    } else if (b >= 0xC2 && b <= 0xDF) {
        if (i + 1 < size && isContinuation(in[i + 1])) {
            length = 2;
            return char32_t(b & 0x1F) << 6 | (in[i + 1] & 0x3F);
        }
    } else if (b >= 0xF0 && b <= 0xF4) {
        if (i + 3 < size && isContinuation(in[i + 1]) && isContinuation(in[i + 2]) &&
            isContinuation(in[i + 3])) {
            const char32_t cp = char32_t(b & 0x07) << 18 | char32_t(in[i + 1] & 0x3F) << 12 |
                                char32_t(in[i + 2] & 0x3F) << 6 | (in[i + 3] & 0x3F);
            if (cp >= 0x10000 && cp <= 0x10FFFF) {
                length = 4;
                return cp;
            }
        }
    }
    return 0;
}

}  // namespace

std::size_t charLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return 0;
    }
    if (isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) {
        return 2;
    }
    return 1;
}

std::size_t charCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += charLength(text, pos)) {
        ++count;
    }
    return count;
}

std::size_t LenBytes(std::string_view text) {
    return text.size();
}

std::string MidBytes(std::string_view text, std::size_t start, std::size_t length) {
    if (start < 1 || start > text.size()) {
        return {};
    }
    return std::string(text.substr(start - 1, length));
}

void appendShiftJisToUtf8(std::string& out, std::string_view sjis) {
    // Japanese text grows by half at most (two bytes become three), unless it is
    // mostly half-width katakana; the string grows further by itself then.
    out.reserve(out.size() + sjis.size() + sjis.size() / 2 + 16);
    // At most four UTF-8 bytes per input byte (a raw byte becomes a plane-15
    // character), plus a pair that straddles the block's end and the spare byte
    // of a four-byte store.
    constexpr std::size_t kBlock = 8 * 1024;
    char buffer[4 * kBlock + 8];
    std::size_t pos = 0;
    while (pos < sjis.size()) {
        const std::size_t end = std::min(sjis.size(), pos + kBlock);
        const char* const stop = decodeBlock(sjis.data(), pos, end, sjis.size(), buffer);
        out.append(buffer, static_cast<std::size_t>(stop - buffer));
    }
}

std::string shiftJisToUtf8(std::string_view sjis) {
    std::string out;
    appendShiftJisToUtf8(out, sjis);
    return out;
}

std::string utf8ToShiftJis(std::string_view utf8, std::size_t* unmappable) {
    // Never longer than the input: every UTF-8 sequence of n bytes becomes at
    // most n bytes (two at most for a double-byte character).
    std::string out(utf8.size(), '\0');
    char* o = out.data();
    const auto* in = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    std::size_t missing = 0;
    std::size_t i = 0;
    while (i < size) {
        while (i + 8 <= size && allAscii8(utf8.data() + i)) {
            std::memcpy(o, in + i, 8);
            o += 8;
            i += 8;
        }
        if (i >= size) {
            break;
        }
        if (in[i] < 0x80) {
            *o++ = static_cast<char>(in[i++]);
            continue;
        }
        std::size_t length = 0;
        const char32_t cp = readUtf8(in, i, size, length);
        std::uint16_t code = 0;
        if (length == 0) {
            length = 1;  // an invalid byte: "?" and carry on with the next one
        } else if (cp < 0x10000) {
            code = kEncode[cp];
        } else {
            code = rawBytesOf(cp);
        }
        i += length;
        if (code == 0) {
            *o++ = '?';
            ++missing;
        } else if (code < 0x100) {
            *o++ = static_cast<char>(code);
        } else {
            *o++ = static_cast<char>(code >> 8);
            *o++ = static_cast<char>(code & 0xFF);
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    if (unmappable != nullptr) {
        *unmappable = missing;
    }
    return out;
}

}  // namespace talmir::text
