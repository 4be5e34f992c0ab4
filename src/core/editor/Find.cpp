#include "core/editor/Find.h"

#include "core/editor/TextChars.h"

#include <algorithm>

namespace talmir::editor {

std::optional<FoundText> findForward(std::string_view text, std::string_view pattern,
                                     std::size_t caretChar) {
    if (pattern.empty() || caretChar >= text.size()) {
        return std::nullopt;
    }
    const CharOffsets chars(pattern);
    const std::string_view first = chars.charAt(pattern, 0);
    // Characters numbered caretChar and lower are passed over.
    std::size_t charNo = caretChar + 1;
    std::size_t pos = offsetOfCharIndex(text, charNo);
    while (true) {
        pos = findCharFrom(text, pos, first, charNo);
        if (pos >= text.size()) {
            return std::nullopt;
        }
        const std::size_t startOffset = pos;
        const std::size_t startChar = charNo;
        pos += first.size();
        ++charNo;
        std::size_t k = 1;
        for (; k < chars.count(); ++k) {
            if (pos >= text.size()) {
                return std::nullopt;  // the text ends inside the candidate
            }
            const std::size_t len = charBytesAt(text, pos);
            const bool same = text.substr(pos, len) == chars.charAt(pattern, k);
            pos += len;
            ++charNo;
            if (!same) {
                break;  // the differing character is consumed, not looked at again
            }
        }
        if (k == chars.count()) {
            return FoundText{startChar, chars.count(), startOffset, pos - startOffset};
        }
    }
}

std::string notFoundMessage(std::string_view searchTextUtf8) {
    std::string message = "検索文字[ ";
    message += searchTextUtf8;
    message += " ]が見つかりませんでした。";
    return message;
}

bool SearchHistory::remember(std::string_view text) {
    if (std::find(m_items.begin(), m_items.end(), text) != m_items.end()) {
        return false;
    }
    m_items.emplace_back(text);
    return true;
}

}  // namespace talmir::editor
