#pragma once
// Reads an ASCII DXF text as a flat stream of group-code/value pairs, the way the
// DXF import has always read it:
//
//     "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n1.5\r\n"  ->  ("0","LINE") ("8","0") ("10","1.5")
//
// One byte is the line separator: the first LF of the text, or CR when the text
// reaches a second CR before any LF (CR-only text). Spaces, CR and LF are removed
// from codes and values, so "  0" and "0" are the same code and a layer name
// written with a space comes out without it; tabs stay. Blank lines before a code
// are skipped; an empty value line is an empty value. Codes and values are slices
// of the text (or of a scratch buffer when something had to be removed from the
// middle); they stay valid until the next call of next().

#include <string>
#include <string_view>

namespace talmir::importers {

class DxfPairReader {
public:
    explicit DxfPairReader(std::string_view text);

    // Reads the next pair. False when nothing but blank lines is left. Throws
    // talmir::Failure when the text ends inside a pair: a code with no line end after
    // it, or a value with no line end after it (only the closing "0"/"EOF" pair may do
    // without its last line end).
    bool next();

    std::string_view code() const { return m_code; }
    std::string_view value() const { return m_value; }
    bool isCode(std::string_view code) const { return m_code == code; }
    // The value line as it stands, blanks kept, without its line end (and without
    // the CR of a CR LF line end): for names that are compared exactly.
    std::string_view rawValue() const { return m_rawValue; }

    // Where the next pair starts in the text.
    std::size_t position() const { return m_pos; }

    // The separator the scan chose ('\n' or '\r').
    char separator() const { return m_separator; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    char m_separator = '\n';
    std::string_view m_code;
    std::string_view m_value;
    std::string_view m_rawValue;
    std::string m_codeScratch;
    std::string m_valueScratch;
};

// The numeric value of a DXF value, as text::quickNumericValue reads it (text
// after the number ignored, no number = 0); a value spelling a non-finite number
// ("nan", "-inf", "infinity" in any case) throws the overflow failure (6).
double dxfNumber(std::string_view value);

// Error reported when the text ends before a pair is complete (a cut file, or one
// that does not end with "0"/"EOF").
[[noreturn]] void throwPastEnd();

// Error reported when a number does not fit a single-precision value.
[[noreturn]] void throwOverflow();

}  // namespace talmir::importers
