#pragma once
// Hole data to a spreadsheet: an .xlsx workbook whose first sheet lists the tools
// and holes row by row from row 1. Definition lines (holding "C") write no row but
// give their "C" text (C1.0 of T01C1.0) to their tool number; a tool line (holding
// "T") writes the line and that "C" text in columns A and B and restarts the hole
// counter; a hole line (holding "X" or "Y") writes, by layout:
//   A: "X", the X value, "Y", the Y value, the counter  (columns C to G)
//   B: the text before "Y", the text from "Y" on, the counter  (C to E)
//   C: the whole line, the counter  (C and D)
// Values and counters are numbers, the rest text (Shift-JIS lines become UTF-8).

#include "core/Failure.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace talmir::exporters {

enum class HoleSheetLayout { A = 0, B = 1, C = 2 };

struct HoleSheetOptions {
    HoleSheetLayout layout = HoleSheetLayout::A;
    // Where the workbook keeps its rows until it is put together; empty for the
    // system's temporary folder.
    std::string tempFolder;
};

// Writes the workbook to `path` (through a file beside it that replaces it at the
// end, so a failure leaves an older file whole) and gives the number of rows
// written. Fails with a message when the file cannot be written or the text has
// more rows than a sheet holds (1,048,576).
Result<std::size_t> holesToXlsx(std::string_view holes, const HoleSheetOptions& options,
                                const std::string& path);

}  // namespace talmir::exporters
