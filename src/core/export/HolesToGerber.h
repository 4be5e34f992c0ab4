#pragma once
// Hole data to Gerber flashes, with the options of the G-code export. The text is
// read as comma-separated items: an item starting with "T" whose "C" comes after
// the "T" defines an aperture (T01C1.0 gives %ADD11C,1.0000*%: tool number + 10,
// the diameter with four decimals), another item starting with "T" selects one
// (T01 gives D11), an item with an X or Y word flashes there (X then Y, then D03);
// every other item ("%", "M30", a comment) writes nothing. The end is "M30".

#include "core/Failure.h"
#include "core/export/GcodeToGerber.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace talmir::exporters {

class ExportSink;

// The whole Gerber text. In the RS-274X form a D code that is selected (or a flash
// before any selection, which uses D10) but never defined gets a 0.1 mm round
// aperture in the header. Fails with error 6 for a number beyond single precision.
Result<std::string> holesToGerber(std::string_view holes, const GerberOptions& options);

// The same bytes handed to `sink` piece by piece; gives their number.
Result<std::uint64_t> holesToGerber(std::string_view holes, const GerberOptions& options,
                                    ExportSink& sink);

}  // namespace talmir::exporters
