#include "core/editor/TextChars.h"

namespace talmir::editor {

std::size_t charIndexOfOffset(std::string_view text, std::size_t offsetBytes) {
    std::size_t index = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t next = pos + charBytesAt(text, pos);
        if (next > offsetBytes) {
            return index;
        }
        pos = next;
        ++index;
    }
    return index;
}

std::size_t offsetOfCharIndex(std::string_view text, std::size_t charIndex) {
    std::size_t pos = 0;
    for (std::size_t index = 0; index < charIndex && pos < text.size(); ++index) {
        pos += charBytesAt(text, pos);
    }
    return pos;
}

}  // namespace talmir::editor
