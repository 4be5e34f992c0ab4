#pragma once
// Character positions in a text pane. The tools count characters as the decoded
// text has them: character k is the k-th code point of the pane's UTF-8 text (a
// double-byte character is one, a line end is two, CR and LF). The pane itself
// works in bytes of its UTF-8 text; these helpers convert between the two. The
// virtual line breaks of long lines (TextPane::kVirtualBreak) are no characters.

#include <cstddef>
#include <string_view>

namespace talmir {

class TextPane;

// The indicator that colours found and differing text dark red (red 192).
inline constexpr int kMarkIndicator = 9;

// Number of code points in the first `offsetBytes` bytes of `utf8`.
std::size_t charIndexOfUtf8Offset(std::string_view utf8, std::size_t offsetBytes);

// Byte offset in `utf8` where code point `charIndex` starts; the text's size when
// it has no such character.
std::size_t utf8OffsetOfCharIndex(std::string_view utf8, std::size_t charIndex);

// The character where the pane's selection starts (the caret when nothing is
// selected).
std::size_t selectionStartChar(const TextPane& pane);

// Selects `lengthChars` characters from character `startChar`, as far as the text
// goes (a start past the end puts the caret at the end), and scrolls to it.
void selectChars(TextPane& pane, std::size_t startChar, std::size_t lengthChars);

// Colours the selected text dark red. The colour is part of the view only: the
// text stays plain and the mark goes with the next reload.
void markSelection(TextPane& pane);

// True when the character that starts at byte `utf8Offset` is coloured.
bool isMarked(const TextPane& pane, std::size_t utf8Offset);

}  // namespace talmir
