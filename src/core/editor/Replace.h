#pragma once
// Find and replace of the replace dialog (HenkanFrm) over the editor's document.

#include <cstddef>
#include <string>
#include <string_view>

namespace talmir::editor {

// A converted document and the number of pieces that were replaced or deleted.
struct Replaced {
    std::string text;
    std::size_t count = 0;
};

// Replaces every occurrence of `find` in the Shift-JIS `text` by `replacement`, left to
// right and without overlapping: after a match the search goes on behind it, after a
// partial match at the next character ("05" is found in "1005"; "aa" in "aaa" is
// replaced once). Characters, not bytes, are compared; bytes that are not valid Shift-JIS
// pass through unchanged. An empty `find` replaces nothing.
Replaced replaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// "[ " + count + " ]個を変換しました。"
std::string replacedMessage(std::size_t count);

}  // namespace talmir::editor
