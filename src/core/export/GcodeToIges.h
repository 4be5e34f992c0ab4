#pragma once
// G-code to IGES: G01 lines become line entities (110), G02/G03 circular arcs (100),
// G81 positions points (116), in the fixed 80-column form. The text is read line by
// line from the G-code window's snapshot. Words are single precision and modal (a
// line without X keeps the previous X); the position starts at 0, 0. Every section
// line (neither empty nor holding G00, G01, G02, G03 or G81) raises the level of the
// entities after it by one.

#include "core/Failure.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace talmir::exporters {

class ExportSink;

struct IgesOptions {
    // The G-code window's caption: product and file name in the global section.
    std::string caption;
    // Date "yyyymmdd" and time "hhnnss" of the file, from the clock of the caller.
    std::string date;
    std::string time;
};

// The whole IGES text, every record ended by CR LF. A program without G01, G02,
// G03 or G81 lines still gives a complete file with no entities. Fails with error 6
// when a number does not fit in single precision.
Result<std::string> gcodeToIges(std::string_view gcode, const IgesOptions& options);

// The same bytes handed to `sink` piece by piece, each at its offset in the file;
// gives the length of the file. A failure can come after some pieces were handed over.
Result<std::uint64_t> gcodeToIges(std::string_view gcode, const IgesOptions& options,
                                  ExportSink& sink);

}  // namespace talmir::exporters
