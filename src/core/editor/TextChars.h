#pragma once
// Characters of Shift-JIS text as the search, replace and control-character tools
// count them. A lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail byte (0x40-0x7E,
// 0x80-0xFC) is one double-byte character; every other byte is a character of its
// own. A lead byte with no valid trail byte after it (a broken file) therefore never
// swallows the CR, LF or ASCII character that follows it, and a pattern such as "\"
// never matches the trail byte of a double-byte character such as "ソ" (83 5C).

#include <cstddef>
#include <string_view>
#include <vector>

#include "core/text/ShiftJis.h"

namespace talmir::editor {

constexpr bool isTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Bytes of the character that starts at byte `pos` of `text` (1 or 2; pos < size).
inline std::size_t charBytesAt(std::string_view text, std::size_t pos) {
    const auto b = static_cast<unsigned char>(text[pos]);
    if (text::isLeadByte(b) && pos + 1 < text.size() &&
        isTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
        return 2;
    }
    return 1;
}

// Offset of the next character at or after the character boundary `pos` whose bytes
// are `first` (one character), or text.size() when there is none. `passedChars` grows
// by the number of characters passed over. One tight loop: the tools call it once per
// candidate, so a 100 MB text is crossed in one pass.
inline std::size_t findCharFrom(std::string_view text, std::size_t pos, std::string_view first,
                                std::size_t& passedChars) {
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    const auto f0 = static_cast<unsigned char>(first[0]);
    if (first.size() == 1) {
        while (pos < size) {
            const unsigned char b = data[pos];
            if (b < 0x81) {
                if (b == f0) {
                    return pos;
                }
                ++pos;
            } else {
                const std::size_t len = charBytesAt(text, pos);
                if (len == 1 && b == f0) {
                    return pos;
                }
                pos += len;
            }
            ++passedChars;
        }
        return size;
    }
    const auto f1 = static_cast<unsigned char>(first[1]);
    while (pos < size) {
        const unsigned char b = data[pos];
        if (b < 0x81) {
            ++pos;
        } else {
            const std::size_t len = charBytesAt(text, pos);
            if (len == 2 && b == f0 && data[pos + 1] == f1) {
                return pos;
            }
            pos += len;
        }
        ++passedChars;
    }
    return size;
}

// A short text (a search or replacement pattern) cut into its characters: the byte offset where
// each one starts, plus the text's size at the end (so character k is [offsets[k], offsets[k +
// 1])).
struct CharOffsets {
    explicit CharOffsets(std::string_view text);
    std::size_t count() const { return m_offsets.size() - 1; }
    std::string_view charAt(std::string_view text, std::size_t k) const {
        return text.substr(m_offsets[k], m_offsets[k + 1] - m_offsets[k]);
    }

private:
    std::vector<std::size_t> m_offsets;
};

inline CharOffsets::CharOffsets(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size(); pos += charBytesAt(text, pos)) {
        m_offsets.push_back(pos);
    }
    m_offsets.push_back(text.size());
}

// Offset of the next occurrence of `pattern` (cut into `chars`) that starts at a
// character boundary at or after the boundary `pos`, or text.size() when there is none;
// `passedChars` grows by the characters before it. Equal bytes from a boundary are equal
// characters, except that a lone lead byte ending `pattern` must not be the first half of
// a double-byte character of the text.
inline std::size_t findTextFrom(std::string_view text, std::size_t pos, std::string_view pattern,
                                const CharOffsets& chars, std::size_t& passedChars) {
    const std::string_view first = chars.charAt(pattern, 0);
    const std::size_t lastBytes = chars.charAt(pattern, chars.count() - 1).size();
    while (true) {
        pos = findCharFrom(text, pos, first, passedChars);
        if (pos >= text.size()) {
            return text.size();
        }
        if (text.compare(pos, pattern.size(), pattern) == 0 &&
            charBytesAt(text, pos + pattern.size() - lastBytes) == lastBytes) {
            return pos;
        }
        pos += first.size();
        ++passedChars;
    }
}

// 0-based character index of the character that holds byte `offsetBytes` (the number
// of characters before it); an offset at or past the end gives the character count.
std::size_t charIndexOfOffset(std::string_view text, std::size_t offsetBytes);

// Byte offset where character `charIndex` (0-based) starts; past the last character
// it is the text's size.
std::size_t offsetOfCharIndex(std::string_view text, std::size_t charIndex);

}  // namespace talmir::editor
