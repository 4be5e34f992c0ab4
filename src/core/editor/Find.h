#pragma once
// The forward search of the editor's search box, also used by the G-code and
// hole-data windows on their own panes: one routine over any Shift-JIS text.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talmir::editor {

// Where a search found its text: the character position and length to select in
// the pane (a double-byte character is one character; a line end is two, CR and
// LF), and the same place in bytes of the searched text. Characters are counted as
// text::shiftJisToUtf8 decodes them: character k is the k-th code point of the
// decoded pane text, broken bytes included.
struct FoundText {
    std::size_t startChar = 0;
    std::size_t lengthChars = 0;
    std::size_t offsetBytes = 0;
    std::size_t lengthBytes = 0;
};

// Searches the Shift-JIS `text` for `pattern` strictly after the caret: characters
// numbered 0 to `caretChar` are passed over, so a match that begins at the caret is
// not found and repeating the search from the start of the last selection steps to
// the next occurrence. Every occurrence is found, also one that starts inside a
// partial match ("aab" in "xaaab", "05" in "1005"). No wrap-around. nullopt when nothing is found
// or `pattern` is empty.
std::optional<FoundText> findForward(std::string_view text, std::string_view pattern,
                                     std::size_t caretChar);

// "検索文字[ " + text + " ]が見つかりませんでした。" with the search box's text as
// the user typed it (UTF-8).
std::string notFoundMessage(std::string_view searchTextUtf8);

// The drop-down list of the search box: every search text used since the program
// started, in the order first used, without repeats and without limit.
class SearchHistory {
public:
    // Adds `text` at the end unless it is already listed; true when it was added.
    bool remember(std::string_view text);
    const std::vector<std::string>& items() const { return m_items; }

private:
    std::vector<std::string> m_items;
};

}  // namespace talmir::editor
