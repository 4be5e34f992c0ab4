#pragma once
// What every fuzz harness shares: the input bytes, with the option choices taken
// off the end, so that a seed file (a real drawing, a golden input) is still read
// from its first byte as the file it is.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace talmir::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : m_bytes(reinterpret_cast<const char*>(data), size) {}

    // The last byte not yet taken, removed from the text; 0 once the input is used up.
    std::uint8_t option() {
        if (m_bytes.empty()) {
            return 0;
        }
        const auto byte = static_cast<std::uint8_t>(m_bytes.back());
        m_bytes.remove_suffix(1);
        return byte;
    }

    // One of `count` choices (0 to count - 1).
    int choice(int count) { return option() % count; }
    bool flag() { return (option() & 1) != 0; }

    // `list` or no list, as the next option says: for the readers that can also
    // fill the list a window shows beside the result.
    std::string* sometimes(std::string& list) { return flag() ? &list : nullptr; }

    // The text left for the reader.
    std::string_view text() const { return m_bytes; }

    // The text split at its first NUL byte into two texts (the second empty when
    // there is none), for the functions that read two documents at once.
    std::pair<std::string_view, std::string_view> twoTexts() const {
        const std::size_t cut = m_bytes.find('\0');
        if (cut == std::string_view::npos) {
            return {m_bytes, {}};
        }
        return {m_bytes.substr(0, cut), m_bytes.substr(cut + 1)};
    }

private:
    std::string_view m_bytes;
};

}  // namespace talmir::fuzz
