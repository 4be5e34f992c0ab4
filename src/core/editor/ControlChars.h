#pragma once
// The control-character dialog (SeiGyoHenkan): replace or delete line-end characters
// or any other text of the editor's document.

#include "core/editor/Replace.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace talmir::editor {

// The text an entry of the dialog's drop-down boxes stands for: "CrLf" is CR LF,
// "Cr" is CR, "Lf" is LF (exactly so, case-sensitive); anything else is itself.
std::string controlKeyword(std::string_view entry);

// Replaces every occurrence of `find` in the Shift-JIS `text` by `replacement` (both
// already mapped by controlKeyword; an empty replacement deletes). Unlike the replace
// dialog, a candidate that starts at a character equal to the first character of
// `find` always takes as many characters as `find` has before it is compared: "abc"
// is not found in "axabc" (the candidate a, x, a fails and the rest bc starts none).
// Scanning goes on after the candidate; one pass. An empty `find` changes nothing.
Replaced convertControlChars(std::string_view text, std::string_view find,
                             std::string_view replacement);

// "[ " + count + " ]個を変換しました。" after a replace, and
// "[ " + count + " ]個を削除しました。" after a delete.
std::string controlReplacedMessage(std::size_t count);
std::string controlDeletedMessage(std::size_t count);

}  // namespace talmir::editor
