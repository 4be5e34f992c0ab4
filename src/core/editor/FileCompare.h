#pragma once
// File comparison (FileIsFrm): two files shown as hexadecimal dumps and compared
// character by character until the first difference.

#include <cstddef>
#include <string>
#include <string_view>

namespace talmir::editor {

// The dump of a file: every byte as two upper-case hexadecimal digits and a blank,
// no line breaks, so n bytes give 3n characters ("41 0D 0A ").
std::string hexDump(std::string_view bytes);
void appendHexDump(std::string& out, std::string_view bytes);

struct Comparison {
    bool differ = false;
    // 0-based character of both dumps to mark: the first differing one; when one dump
    // is a prefix of the other, the last character of the source's dump (source
    // shorter) or the one just after the other's end (other shorter). 0 when the
    // source is empty.
    std::size_t markOffset = 0;
    // 0-based byte of the compared files where they first differ; when one file is
    // a prefix of the other, the first byte that only the longer one has.
    std::size_t firstDifferentByte = 0;
};

// Compares the texts of the two dump panes (`source` is pane 0) as they stand,
// edits included, written out as Shift-JIS. `markOffset` is a byte offset of those
// texts; a dump is ASCII, so it is also the character to select (after edits with
// double-byte characters, charIndexOfOffset of editor/TextChars.h gives it).
Comparison compareDumps(std::string_view source, std::string_view other);

// The same result as compareDumps(hexDump(source), hexDump(other)), found on the
// bytes without building the dumps.
Comparison compareFiles(std::string_view source, std::string_view other);

// "比較を完了しました。" or "ファイルに違いが確認されました。"
std::string comparisonMessage(const Comparison& comparison);

// Any failure of the comparison other than a difference: "エラーが発生しました。"
std::string comparisonErrorMessage();

}  // namespace talmir::editor
