#include "text/Lines.h"

#include <cstring>

namespace talmir::text {

namespace {

// First CR or LF at or after `from`, or `size` when none.
std::size_t findLineEnd(const char* data, std::size_t from, std::size_t size) {
    const char* p = data + from;
    const char* end = data + size;
    // memchr for each is faster than a byte loop on long lines.
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const char* limit = lf ? static_cast<const char*>(lf) : end;
    const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(limit - p));
    if (cr) {
        return static_cast<std::size_t>(static_cast<const char*>(cr) - data);
    }
    return static_cast<std::size_t>(limit - data);
}

}  // namespace

bool LineReader::next(std::string_view& line) {
    const std::size_t size = m_text.size();
    if (m_pos >= size) {
        return false;
    }
    const char* data = m_text.data();
    const std::size_t end = findLineEnd(data, m_pos, size);
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
    LineReader reader(text);
    for (std::string_view line; reader.next(line);) {
        if (line.empty()) {
            continue;
        }
        out.append(line);
        out.append(eol);
    }
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
            out.append("\r\n");
        }
        first = false;
        out.append(line);
    }
    return out;
}

}  // namespace talmir::text
