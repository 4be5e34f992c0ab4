#include "core/text/Lines.h"

#include <cstring>

namespace talmir::text {

bool LineReader::next(std::string_view& line) {
    const std::size_t size = m_text.size();
    if (m_pos >= size) {
        return false;
    }
    const char* data = m_text.data();
    // The next LF is remembered across calls: a text whose lines end in a lone
    // CR has no LF at all, and searching the rest of it for one on every line
    // would take quadratic time.
    if (m_nextLf <= m_pos) {
        const void* lf = std::memchr(data + m_pos, '\n', size - m_pos);
        m_nextLf = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : size;
    }
    const void* cr = std::memchr(data + m_pos, '\r', m_nextLf - m_pos);
    const std::size_t end =
        cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : m_nextLf;
    line = std::string_view(data + m_pos, end - m_pos);
    m_pos = end;
    if (m_pos < size) {
        if (data[m_pos] == '\r' && m_pos + 1 < size && data[m_pos + 1] == '\n') {
            m_pos += 2;
        } else {
            m_pos += 1;
        }
    }
    return true;
}

std::string_view lineEndBytes(LineEnd lineEnd) {
    switch (lineEnd) {
        case LineEnd::Cr:
            return "\r";
        case LineEnd::Lf:
            return "\n";
        case LineEnd::CrLf:
            break;
    }
    return "\r\n";
}

void appendSaveWithLineEnd(std::string& out, std::string_view text, LineEnd lineEnd) {
    const std::string_view eol = lineEndBytes(lineEnd);
    const char* data = text.data();
    // Lines that already end with the wanted line end are copied in runs; a run
    // breaks at an empty line (dropped) and at a line end of another kind.
    std::size_t runStart = 0;
    LineReader reader(text);
    for (std::string_view line; reader.next(line);) {
        const std::size_t lineStart = static_cast<std::size_t>(line.data() - data);
        const std::size_t lineEndStart = lineStart + line.size();
        const std::size_t next = reader.offset();
        if (line.empty()) {
            out.append(data + runStart, lineStart - runStart);
            runStart = next;
        } else if (text.substr(lineEndStart, next - lineEndStart) != eol) {
            out.append(data + runStart, lineEndStart - runStart);
            out.append(eol);
            runStart = next;
        }
    }
    out.append(data + runStart, text.size() - runStart);
}

std::string saveWithLineEnd(std::string_view text, LineEnd lineEnd) {
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 16);
    appendSaveWithLineEnd(out, text, lineEnd);
    return out;
}

std::string paneSnapshot(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32 + 2);
    LineReader reader(text);
    bool first = true;
    for (std::string_view line; reader.next(line);) {
        if (!first) {
            out.append("\r\n", 2);
        }
        first = false;
        out.append(line);
    }
    // The empty last line of a text that ends with a line end.
    if (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        out.append("\r\n", 2);
    }
    return out;
}

}  // namespace talmir::text
