#pragma once
// Shift-JIS (code page 932) text kept as bytes. ASCII and half-width katakana are
// one byte; a lead byte 0x81-0x9F or 0xE0-0xFC and the byte after it form one
// double-byte character. A lead byte at the very end counts as one character.

#include <cstddef>
#include <string>
#include <string_view>

namespace talmir::text {

constexpr bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Bytes of the character that starts at `pos` (1 or 2; 0 at the end).
std::size_t charLength(std::string_view text, std::size_t pos);

// Number of characters (a double-byte character is one).
std::size_t charCount(std::string_view text);

// Byte length of the text: every byte counts (1 per ASCII or half-width katakana
// character, 2 per double-byte character).
std::size_t LenBytes(std::string_view text);

// `length` bytes from the 1-based byte position `start` (fewer when the text is
// shorter; empty when start is past the end or below 1). The cut is made on bytes,
// so it may split a double-byte character; the lone byte is kept as it is.
std::string MidBytes(std::string_view text, std::size_t start, std::size_t length);

// Lossless conversion between Shift-JIS bytes (code page 932 as Windows has it) and
// UTF-8 for display. Bytes that are not valid Shift-JIS, and NEC/IBM duplicate
// codes that would encode back to their twin, become private-use characters of
// plane 15: U+F0000 + the byte for a single byte, U+F0000 + lead * 256 + trail for
// a pair. Those encode back to the very bytes they came from, so
// utf8ToShiftJis(shiftJisToUtf8(b)) == b for any bytes b. A lead byte followed by
// a byte that cannot be a trail byte (a line end, for instance) stands alone.
std::string shiftJisToUtf8(std::string_view sjis);
void appendShiftJisToUtf8(std::string& out, std::string_view sjis);

// UTF-8 to Shift-JIS. Characters that code page 932 cannot hold become "?" and are
// counted in `unmappable` when given; invalid UTF-8 bytes become "?" as well.
std::string utf8ToShiftJis(std::string_view utf8, std::size_t* unmappable = nullptr);

}  // namespace talmir::text
