#pragma once
// The drilling cycle G81 as the G-code window's tree and the G81 conversions see it.
// Programs of this program's own kind write a G81 word on every hole
// ("G81X10.Y20."); drilling programs of other CAM systems give the first hole on
// the G81 line and the others as lines holding only X and Y, until G80 or another
// motion word:
//
//     G81 R5.0 Z-2.5 F1000.0 X12.555 Y10.945
//     X12.555 Y8.945
//     G80

#include <string_view>

namespace talmir::exporters {

// A line holding the word G81 (G81 not followed by a digit) outside comments in
// parentheses and after ";".
bool hasG81Word(std::string_view line);

// A line whose words end a drilling cycle: G80, another cycle (G82 to G89) or a
// motion word (G0 to G3, G00 to G03), outside comments.
bool endsDrillCycle(std::string_view line);

// A line holding nothing but X and Y words (at least one), blanks allowed:
// "X12.555 Y8.945", "Y3.", "X1000Y500".
bool isXyOnlyLine(std::string_view line);

// Follows one section of the tree line by line and tells which lines are holes:
// every line containing "G81" (as the window has always read them), and the lines
// holding only X and Y while a cycle opened by a G81 line is running. The section
// line itself opens a cycle when it holds the G81 word.
class DrillCycleReader {
public:
    explicit DrillCycleReader(std::string_view sectionLine);

    // Whether the section line is a hole (a G81 line with an X or Y word).
    bool sectionLineIsHole() const { return m_sectionHole; }
    // The next line of the node file: true when it is a hole.
    bool isHole(std::string_view line);

private:
    bool m_inCycle = false;
    bool m_sectionHole = false;
};

// Whether a section (its section line and node file) has a hole for the G81
// conversions.
bool isG81Section(std::string_view sectionLine, std::string_view nodeFile);

}  // namespace talmir::exporters
