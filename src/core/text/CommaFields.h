#pragma once
// Comma-separated fields as the program reads its work files item by item: a
// field ends at a comma or at the end of its line; blanks (spaces and tabs)
// around a field are dropped; a field that starts with a double quote runs to
// the closing quote, may hold commas, and loses its quotes (anything between the
// closing quote and the next comma is dropped; a missing closing quote ends the
// field at the line end). Every line has at least one field, so an empty line
// and the end of "A," each give an empty field (FinalComma says whether the end
// of a text "A," does too). Fields are views into the text.

#include "core/text/Lines.h"

#include <string_view>
#include <vector>

namespace talmir::text {

// What a comma at the very end of a text is followed by: one more, empty field (as a
// line "A," always has), or nothing (as the items of a pane's snapshot are read:
// "A,B," has two, while "A,\r\nB" still has the empty item between A and B).
enum class FinalComma { EmptyField, NoField };

// The fields of one line (the line holds no line end).
class CommaFields {
public:
    // With FinalComma::NoField, for a line that ends its text, a comma at the end of
    // the line gives no empty field after it.
    explicit CommaFields(std::string_view line, FinalComma finalComma = FinalComma::EmptyField)
        : m_line(line), m_finalComma(finalComma) {}

    // The next field; false when the line has no more.
    bool next(std::string_view& field);

private:
    std::string_view m_line;
    std::size_t m_pos = 0;
    FinalComma m_finalComma;
    bool m_done = false;
};

// The fields of a whole text, line after line (CR LF, CR and LF end a line). A text
// that ends with a line end has no empty line after it, so it gives no field there.
//   CommaFieldReader fields(text);
//   for (std::string_view field; fields.next(field);) { ... }
class CommaFieldReader {
public:
    explicit CommaFieldReader(std::string_view text, FinalComma finalComma = FinalComma::EmptyField)
        : m_lines(text), m_end(text.data() + text.size()), m_finalComma(finalComma) {}

    bool next(std::string_view& field);

private:
    LineReader m_lines;
    const char* m_end;
    FinalComma m_finalComma;
    std::string_view m_line;  // the line being read
    std::size_t m_pos = 0;    // where its next field starts
    bool m_noFinalField = false;
    bool m_done = true;  // m_line has no more fields (or there is none yet)
};

std::vector<std::string_view> splitCommaFields(std::string_view line);

}  // namespace talmir::text
