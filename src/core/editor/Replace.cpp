#include "core/editor/Replace.h"

#include "core/editor/TextChars.h"

namespace talmir::editor {

Replaced replaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
    Replaced result;
    if (find.empty()) {
        result.text.assign(text);
        return result;
    }
    const CharOffsets chars(find);
    const std::string_view first = chars.charAt(find, 0);
    result.text.reserve(text.size());
    std::size_t unused = 0;
    std::size_t copied = 0;  // text before this offset is already in the output
    std::size_t pos = 0;
    while (true) {
        pos = findCharFrom(text, pos, first, unused);
        if (pos >= text.size()) {
            break;
        }
        const std::size_t start = pos;
        pos += first.size();
        std::size_t k = 1;
        for (; k < chars.count() && pos < text.size(); ++k) {
            const std::size_t len = charBytesAt(text, pos);
            const bool same = text.substr(pos, len) == chars.charAt(find, k);
            pos += len;
            if (!same) {
                break;  // the candidate, with this character, is written unchanged
            }
        }
        if (k == chars.count()) {
            result.text.append(text, copied, start - copied);
            result.text.append(replacement);
            copied = pos;
            ++result.count;
        }
    }
    result.text.append(text, copied);
    return result;
}

std::string replacedMessage(std::size_t count) {
    return "[ " + std::to_string(count) + " ]個を変換しました。";
}

}  // namespace talmir::editor
