#pragma once
// Lines of a text as the program reads them: CR LF, a lone CR and a lone LF each end
// a line. A text that ends with a line end has no empty line after it.

#include <string>
#include <string_view>

namespace talmir::text {

// Walks the lines of a text without copying. Usage:
//   LineReader reader(text);
//   for (std::string_view line; reader.next(line);) { ... }
class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text) {}

    // The next line without its line end; false at the end of the text.
    bool next(std::string_view& line);

    // Byte offset of the start of the line that next() will return.
    std::size_t offset() const { return m_pos; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_nextLf = 0;  // the next LF at or after m_pos, or the size; redone once passed
};

enum class LineEnd { CrLf, Cr, Lf };

// The save rule of the document: every line that is not empty is written followed
// by `lineEnd`; empty lines are dropped, a line of blanks is kept.
std::string saveWithLineEnd(std::string_view text, LineEnd lineEnd);
void appendSaveWithLineEnd(std::string& out, std::string_view text, LineEnd lineEnd);

// A pane written out whole (its snapshot): its lines joined with CR LF, nothing
// after the last line. A pane whose text ends with a line end has an empty last
// line, so its snapshot ends with CR LF ("M30\n" gives "M30\r\n"); text appended
// to the snapshot then starts a line of its own.
std::string paneSnapshot(std::string_view text);

// The bytes of a line end.
std::string_view lineEndBytes(LineEnd lineEnd);

}  // namespace talmir::text
