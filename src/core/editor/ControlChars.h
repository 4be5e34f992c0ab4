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
// already mapped by controlKeyword; an empty replacement deletes), left to right and
// without overlapping, as the replace dialog does: deleting CrLf from CR CR LF leaves
// the first CR. An empty `find` changes nothing.
Replaced convertControlChars(std::string_view text, std::string_view find,
                             std::string_view replacement);

// "[ " + count + " ]個を変換しました。" after a replace, and
// "[ " + count + " ]個を削除しました。" after a delete.
std::string controlReplacedMessage(std::size_t count);
std::string controlDeletedMessage(std::size_t count);

}  // namespace talmir::editor
