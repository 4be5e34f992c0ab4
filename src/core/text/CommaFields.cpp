#include "core/text/CommaFields.h"

namespace talmir::text {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The field that starts at `pos` of `line` (after any blanks). Moves `pos` past
// the comma that ends it, or sets `done` when the line has no field after it: at
// the line end, and with `noFinalField` after a comma that ends the line too.
inline std::string_view takeField(std::string_view line, std::size_t& pos, bool& done,
                                  bool noFinalField) {
    const std::size_t size = line.size();
    std::size_t i = pos;
    while (i < size && isBlank(line[i])) {
        ++i;
    }
    std::string_view field;
    std::size_t comma = std::string_view::npos;
    if (i < size && line[i] == '"') {
        const std::size_t close = line.find('"', i + 1);
        if (close == std::string_view::npos) {
            field = line.substr(i + 1);
        } else {
            field = line.substr(i + 1, close - i - 1);
            comma = line.find(',', close + 1);
        }
    } else {
        comma = line.find(',', i);
        std::size_t end = comma == std::string_view::npos ? size : comma;
        while (end > i && isBlank(line[end - 1])) {
            --end;
        }
        field = line.substr(i, end - i);
    }
    if (comma == std::string_view::npos || (comma + 1 == size && noFinalField)) {
        done = true;
    } else {
        pos = comma + 1;
    }
    return field;
}

}  // namespace

bool CommaFields::next(std::string_view& field) {
    if (m_done) {
        return false;
    }
    field = takeField(m_line, m_pos, m_done, m_finalComma == FinalComma::NoField);
    return true;
}

bool CommaFieldReader::next(std::string_view& field) {
    // Every line has a field, so a new line always gives one.
    if (m_done) {
        if (!m_lines.next(m_line)) {
            return false;
        }
        m_pos = 0;
        m_done = false;
        // Only the last line of a text that does not end with a line end stands
        // without one: there a comma at the end of the line ends the text.
        m_noFinalField =
            m_finalComma == FinalComma::NoField && m_line.data() + m_line.size() == m_end;
    }
    field = takeField(m_line, m_pos, m_done, m_noFinalField);
    return true;
}

std::vector<std::string_view> splitCommaFields(std::string_view line) {
    std::vector<std::string_view> fields;
    CommaFields reader(line);
    for (std::string_view field; reader.next(field);) {
        fields.push_back(field);
    }
    return fields;
}

}  // namespace talmir::text
