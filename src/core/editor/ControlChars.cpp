#include "core/editor/ControlChars.h"

#include "core/editor/TextChars.h"

namespace talmir::editor {

std::string controlKeyword(std::string_view entry) {
    if (entry == "CrLf") {
        return "\r\n";
    }
    if (entry == "Cr") {
        return "\r";
    }
    if (entry == "Lf") {
        return "\n";
    }
    return std::string(entry);
}

Replaced convertControlChars(std::string_view text, std::string_view find,
                             std::string_view replacement) {
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
        // The candidate takes the full number of characters, compared only at the end.
        for (std::size_t k = 1; k < chars.count() && pos < text.size(); ++k) {
            pos += charBytesAt(text, pos);
        }
        if (text.substr(start, pos - start) == find) {
            result.text.append(text, copied, start - copied);
            result.text.append(replacement);
            copied = pos;
            ++result.count;
        }
    }
    result.text.append(text, copied);
    return result;
}

std::string controlReplacedMessage(std::size_t count) {
    return replacedMessage(count);
}

std::string controlDeletedMessage(std::size_t count) {
    return "[ " + std::to_string(count) + " ]個を削除しました。";
}

}  // namespace talmir::editor
