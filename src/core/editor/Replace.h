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

// Replaces every occurrence of `find` in the Shift-JIS `text` by `replacement`, in one
// forward pass that never steps back: at a character equal to the first character of
// `find` a candidate starts and takes one character after another until it differs
// from `find` or is complete; a complete candidate is written as `replacement`,
// anything else unchanged, and scanning goes on after the candidate (so "aab" in
// "aaab" is left alone). Characters, not bytes, are compared; bytes that are not valid
// Shift-JIS pass through unchanged. An empty `find` replaces nothing.
Replaced replaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// "[ " + count + " ]個を変換しました。"
std::string replacedMessage(std::size_t count);

}  // namespace talmir::editor
