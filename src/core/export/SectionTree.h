#pragma once
// The section tree of the G-code window: a program split into one node per distinct
// section line. Each node is kept as a file named after its section line in the
// "Gcode/" folder of the application folder, holding the data lines of that section
// in order of appearance (without the section line). Rebuilding the text writes each
// section line once, followed by all of its data lines.

#include "core/Failure.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talmir::exporters {

// No more sections than this fit in the section table.
inline constexpr std::size_t kMaxSections = 256;

// The message of a tree build that cannot go on.
inline constexpr std::string_view kTreeBuildError = "エラーが発生しました";

// A data line starts with "G", has its first "X" as its fourth character and its
// first "Y" after its fifth ("G01X10.Y20."). Every other line is a section line:
// "%", comments, tool lines, "M30", "G01 X1. Y2.", "G1X1.Y2.", "G01Z-1.", an empty
// line.
bool isDataLine(std::string_view line);

// Whether the Shift-JIS section line `name` may be a node file name: it must name
// a file directly inside the node folder. Empty names, "." and "..", names holding
// "/" or "\" (as characters: the second byte of a double-byte character does not
// count), control characters, and names longer than a file name can be are not.
bool isSafeNodeName(std::string_view name);

// The node file name of the Shift-JIS section line `name`, as UTF-8 (the file
// system's encoding). Bytes that are not Shift-JIS survive the round trip.
std::string nodeFileName(std::string_view name);

struct SectionNode {
    std::string name;  // the section line, Shift-JIS bytes
    std::string data;  // the node file: its data lines, each followed by CR LF
};

struct SectionSplit {
    // Nodes in order of first appearance of their section lines.
    std::vector<SectionNode> nodes;
    // Set when the build stopped (a data line before the first section line, a
    // section line that cannot be a file name, more than kMaxSections sections);
    // `nodes` then holds what was built before that line.
    std::optional<Failure> failure;
};

// Splits `program` (CR LF, LF or CR lines; the text ends without an empty line
// after a final line end) into its sections. While a G81 cycle runs (from a line
// with the G81 word to G80 or a motion word), a line holding only X and Y is a
// further hole of it and goes to the node of the G81 line, not to a node of its own.
SectionSplit splitSections(std::string_view program);

// Appends one section of the rebuilt text to `out`: the section line, then every
// line of its node file `nodeFile` (CR LF, LF or CR lines), each followed by CR LF.
void appendSection(std::string& out, std::string_view name, std::string_view nodeFile);

}  // namespace talmir::exporters
