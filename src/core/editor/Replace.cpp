#include "core/editor/Replace.h"

#include "core/editor/TextChars.h"

namespace talmir::editor {

Replaced replaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
    Replaced result;
    if (find.empty()) {
        result.text = text;
        return result;
    }
    result.text.reserve(text.size());
    const CharOffsets chars(find);
    std::size_t unused = 0;
    std::size_t copied = 0;  // text before this offset is already in the output
    while (true) {
        const std::size_t pos = findTextFrom(text, copied, find, chars, unused);
        if (pos >= text.size()) {
            break;
        }
        result.text.append(text, copied, pos - copied);
        result.text.append(replacement);
        copied = pos + find.size();
        ++result.count;
    }
    result.text.append(text, copied);
    return result;
}

std::string replacedMessage(std::size_t count) {
    return "[ " + std::to_string(count) + " ]個を変換しました。";
}

}  // namespace talmir::editor
