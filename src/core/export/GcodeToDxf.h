#pragma once
// G-code to DXF: straight feeds become LINE entities, circular feeds ARC or CIRCLE,
// drilling positions and zero-length feeds POINT. Every section line (a line without
// "G00", "G01", "G02", "G03" or "G81") becomes a layer; motion lines before the
// first section line sit on layer "10", which has no entry in the layer table.
//
// The text is read as comma-separated items of the G-code window's snapshot. Word
// values are single precision; a missing word counts as 0 (coordinates are not
// modal). The result is the whole DXF text, every line ended by CR LF.

#include "core/Failure.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talmir::exporters {

class ExportSink;

// The colour layer "10" is drawn in; the colour dialog has no row for it.
inline constexpr double kDxfDefaultLayerColour = 7;
// Distinct section lines a program may have; one more fails with error 9.
inline constexpr std::size_t kMaxDxfLayers = 256;

// What the colour dialog ("DXFの色設定") hands over: the colour number of each section
// layer in order of first appearance (row 1 of the grid is colours[0]). A layer with
// no entry gets colour 0, as an empty cell does.
struct DxfOptions {
    std::vector<double> colours;
};

// The two colourings of the dialog (setting "DxfOption").
enum class DxfColourMode {
    All = 0,   // "全色出力": row i gets i mod 7, 0 becoming 7
    Same = 1,  // "同一色": every row gets the common colour ("DxfColor")
};

// The colour column the dialog fills for `layerCount` layers.
std::vector<double> dxfDialogColours(DxfColourMode mode, double commonColour,
                                     std::size_t layerCount);

// The reading pass: the section layers in order of first appearance, as the colour
// dialog lists them. Fails as gcodeToDxf does when there is no motion line or more
// than 256 distinct section lines.
Result<std::vector<std::string>> gcodeDxfLayers(std::string_view gcode);

// The whole conversion. Fails with the message "変換可能なコマンドが、見つかりませんでした"
// when there is no motion line, with error 9 beyond 256 distinct section lines, and
// with error 6 when a number does not fit in single precision.
Result<std::string> gcodeToDxf(std::string_view gcode, const DxfOptions& options);

// The same bytes handed to `sink` piece by piece; gives their number. A failure
// can come after some pieces were handed over.
Result<std::uint64_t> gcodeToDxf(std::string_view gcode, const DxfOptions& options,
                                 ExportSink& sink);

}  // namespace talmir::exporters
