#pragma once
// Hole data to IGES: one full circle (circular arc, type 100) per hole, in the
// 80-column frame of the G-code export. Definition lines (holding "C") fill the
// tool table with the code before the "C" and the diameter after it; a line equal
// to a tool code selects that tool; a line holding "X" or "Y" is a hole, a missing
// word keeping its previous value (both start at 0). The level of a circle is the
// position of its tool in the table (0 for the first). Numbers are single precision.

#include "core/Failure.h"
#include "core/export/GcodeToIges.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace talmir::exporters {

class ExportSink;

// The whole IGES text, every record ended by CR LF; text without holes gives the
// frame with no entities. Fails with a message naming the line when a hole stands
// where no tool is selected, and with error 6 for a number beyond single precision.
Result<std::string> holesToIges(std::string_view holes, const IgesOptions& options);

// The same bytes handed to `sink` piece by piece, each at its offset in the file;
// gives the length of the file.
Result<std::uint64_t> holesToIges(std::string_view holes, const IgesOptions& options,
                                  ExportSink& sink);

}  // namespace talmir::exporters
