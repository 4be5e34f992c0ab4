#pragma once
// IGES to G-code: the circular arcs (entity type 100), lines (110) and points (116)
// of a fixed-format (80-column) IGES file as a G-code program, in the order of
// their parameter records:
//
//     D10              "D" + (level + 9): the entity's level as a drawing code
//     G00X10.0Y0.0     arc: rapid move to the start,
//     G03X0.0Y10.0I-10.0J0.0   counter-clockwise arc, I/J from the start
//     D10
//     G00X0.0Y0.0      line: rapid move to the start,
//     G01X10.0Y0.0     straight cut to the end
//     D11
//     G81X5.0Y5.0      point: a drilling block
//
// An entity whose directory entry points at a transformation matrix (entity 124,
// itself perhaps placed by another) is moved by it first; an arc the matrix turns
// over runs clockwise (G02), and one it tilts out of the XY plane is an ellipse
// there, written as G01 moves along it within 0.01 mm. Then every coordinate is
// taken from the global section's unit to millimetres (inches times 25.4) and
// divided by its model space scale; a file in millimetres at scale 1, or one that
// names no unit, keeps its numbers. Z is dropped. Numbers are written with at
// least one integer digit and one to four decimals; "D" exponents ("1.5D2") are
// read as exponents.

#include "core/Failure.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace talmir {
class InputBytes;
class PieceSink;
}  // namespace talmir

namespace talmir::importers {

struct IgesImportOptions {
    // Called every few thousand lines so a window can show that work is going on.
    std::function<void()> progress;
    // When set, receives two lines per converted entity as the work file "BAK1.DAT"
    // holds them: the entity's level, then its parameter record joined into one
    // line (columns 1 to 64 of each of its lines, right-trimmed). What was read
    // before a failure stays in it.
    std::string* records = nullptr;
};

// `igesBytes` is the IGES text as the editor holds it (CR LF, LF or CR-only lines).
// Only the section letter in column 73 is looked at: directory entries ("D") give
// each entry's level (columns 33 to 40), parameter lines ("P") the records; the
// start, global and terminate sections and every other entity type are passed
// over. The result has every line ended by CR LF; a text without arcs, lines or
// points gives an empty program.
//
// Fails, with no program at all, for:
//   9  an arc, line or point whose parameter line points at no directory entry, or
//      whose matrix pointer leads to no transformation matrix (or round in a loop);
//   62 a parameter record of an arc, line or point that ends before its numbers or
//      without its ";" (a cut file), or a matrix of fewer than 12 numbers;
//   6  a coordinate beyond single precision (a number past the range of a double
//      among them, and an arc's I or J that leaves it), or a level that does not make
//      a drawing code from -32759 to 32767 (level above 32,758 or below -32,768).
Result<std::string> igesToGcode(std::string_view igesBytes, const IgesImportOptions& options = {});

// The same program from `input` read as it goes, handed to `sink` in pieces; gives
// its length. After a failure the pieces handed over are no program.
Result<std::uint64_t> igesToGcode(InputBytes& input, PieceSink& sink,
                                  const IgesImportOptions& options = {});

}  // namespace talmir::importers
