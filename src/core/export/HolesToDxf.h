#pragma once
// Hole data to DXF: one CIRCLE per hole, one layer per tool. The hole-data text is
// read line by line: a line holding "C" defines a tool (T01C1.0: tool number 1 from
// the second character on, diameter 1.0 after the "C"), a line holding "T" selects
// the tool of its number (definition lines too), a line holding "X" or "Y" is a
// hole under the selected tool (a missing word reads as 0). Layers are named "T"
// and the tool number in its shortest form ("T1" for T01). Coordinates and radii
// are single precision, as the hole table holds them.

#include "core/Failure.h"
#include "core/export/GcodeToDxf.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talmir::exporters {

class ExportSink;

// The layer names (tool names) in order of definition, as the colour dialog lists
// them. Fails with "変換可能なコマンドが、見つかりませんでした" when the text has no
// definition line, with error 9 beyond 256 tools, and with a message naming the
// line when a hole stands where no defined tool is selected.
Result<std::vector<std::string>> holeDxfLayers(std::string_view holes);

// The whole DXF text, every line ended by CR LF, in the frame of the G-code export
// (header, layer table, empty blocks section). `options.colours[i]` colours the
// layer holeDxfLayers() lists at i. Fails as holeDxfLayers() does, and with error 6
// for a number beyond single precision.
Result<std::string> holesToDxf(std::string_view holes, const DxfOptions& options);

// The same bytes handed to `sink` piece by piece; gives their number. The tool
// checks come before the first piece; a number beyond single precision can fail
// after some pieces were handed over.
Result<std::uint64_t> holesToDxf(std::string_view holes, const DxfOptions& options,
                                 ExportSink& sink);

}  // namespace talmir::exporters
