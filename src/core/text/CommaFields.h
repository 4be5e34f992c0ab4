#pragma once
// Comma-separated fields as the program reads its work files item by item: a
// field ends at a comma or at the end of its line; blanks (spaces and tabs)
// around a field are dropped; a field that starts with a double quote runs to
// the closing quote, may hold commas, and loses its quotes (anything between the
// closing quote and the next comma is dropped; a missing closing quote ends the
// field at the line end). Every line has at least one field, so an empty line
// and the end of "A," each give an empty field. Fields are views into the text.

#include "core/text/Lines.h"

#include <string_view>
#include <vector>

namespace talmir::text {

// The fields of one line (the line holds no line end).
class CommaFields {
public:
    explicit CommaFields(std::string_view line) : m_line(line) {}

    // The next field; false when the line has no more.
    bool next(std::string_view& field);

private:
    std::string_view m_line;
    std::size_t m_pos = 0;
    bool m_done = false;
};

// The fields of a whole text, line after line (CR LF, CR and LF end a line).
class CommaFieldReader {
public:
    explicit CommaFieldReader(std::string_view text) : m_lines(text), m_fields({}) {}

    bool next(std::string_view& field);

private:
    LineReader m_lines;
    CommaFields m_fields;
    bool m_inLine = false;
};

std::vector<std::string_view> splitCommaFields(std::string_view line);

}  // namespace talmir::text
