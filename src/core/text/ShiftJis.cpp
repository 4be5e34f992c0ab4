#include "text/ShiftJis.h"

namespace talmir::text {

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

}  // namespace talmir::text
