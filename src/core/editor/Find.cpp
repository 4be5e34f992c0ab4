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
    // Characters numbered caretChar and lower are passed over.
    std::size_t charNo = caretChar + 1;
    const std::size_t pos =
        findTextFrom(text, offsetOfCharIndex(text, charNo), pattern, chars, charNo);
    if (pos >= text.size()) {
        return std::nullopt;
    }
    return FoundText{charNo, chars.count(), pos, pattern.size()};
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
