#include "core/text/CommaFields.h"

namespace talmir::text {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

bool CommaFields::next(std::string_view& field) {
    if (m_done) {
        return false;
    }
    const std::size_t size = m_line.size();
    std::size_t i = m_pos;
    while (i < size && isBlank(m_line[i])) {
        ++i;
    }
    std::size_t comma = std::string_view::npos;
    if (i < size && m_line[i] == '"') {
        const std::size_t close = m_line.find('"', i + 1);
        if (close == std::string_view::npos) {
            field = m_line.substr(i + 1);
        } else {
            field = m_line.substr(i + 1, close - i - 1);
            comma = m_line.find(',', close + 1);
        }
    } else {
        comma = m_line.find(',', i);
        std::size_t end = comma == std::string_view::npos ? size : comma;
        while (end > i && isBlank(m_line[end - 1])) {
            --end;
        }
        field = m_line.substr(i, end - i);
    }
    if (comma == std::string_view::npos ||
        (comma + 1 == size && m_finalComma == FinalComma::NoField)) {
        m_done = true;
    } else {
        m_pos = comma + 1;
    }
    return true;
}

bool CommaFieldReader::next(std::string_view& field) {
    for (;;) {
        if (m_inLine && m_fields.next(field)) {
            return true;
        }
        std::string_view line;
        if (!m_lines.next(line)) {
            return false;
        }
        // Only the last line of a text that does not end with a line end stands
        // without one: there a comma at the end of the line ends the text.
        const bool endsText = line.data() + line.size() == m_end;
        m_fields = CommaFields(line, endsText ? m_finalComma : FinalComma::EmptyField);
        m_inLine = true;
    }
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
