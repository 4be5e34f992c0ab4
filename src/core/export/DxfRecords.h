#pragma once
// DXF writing shared by the exports: the fixed header template (header variables and
// the line-type table) and the entity layouts. Every line ends with CR LF; group
// codes are right-aligned to three characters ("  0", " 10"). Coordinates are
// written with "####0.0#######" from the value exactly as held, so a single-precision
// 12.3 prints as 12.30000019; Z is always 0.0.

#include "core/export/ExportText.h"

#include <span>
#include <string>
#include <string_view>

namespace talmir::exporters {

// The header lines from "$ELEVATION" to the "ENDTAB" of the line-type table, each
// followed by CR LF. The writers put it after "  0 SECTION  2 HEADER 999 TALMIR_2  9".
std::string_view dxfHeaderTemplate();

// The start of a DXF file up to and including the line-type table.
void appendDxfHeader(std::string& out);

inline void appendDxfText(std::string& out, std::string_view line) {
    out.append(line);
    out.append("\r\n");
}

// Everything before the first entity: the header, the layer table with one layer
// per name in `layers` and the colour text (dxfColourText) at the same index of
// `colours`, the empty blocks section and the start of the entities section.
void appendDxfFrameStart(std::string& out, std::span<const std::string_view> layers,
                         std::span<const std::string> colours);

// The end of the entities section and of the file.
void appendDxfFrameEnd(std::string& out);

// The text of a colour group (62): five blanks and the number ("     5").
std::string dxfColourText(double colour);

// The layer and colour text that every entity carries.
struct DxfStyle {
    std::string_view layer;
    std::string_view colour;  // as made by dxfColourText
};

// A coordinate written with "####0.0#######", kept with its value so that the
// end point of one entity is not formatted again as the start of the next.
class DxfCoordinate : public NumberText {
public:
    DxfCoordinate();
};

// Entities; coordinates come as text made by DxfCoordinate.
void appendDxfLine(std::string& out, const DxfStyle& style, std::string_view x1,
                   std::string_view y1, std::string_view x2, std::string_view y2);
void appendDxfPoint(std::string& out, const DxfStyle& style, std::string_view x,
                    std::string_view y);
// Angles in degrees, counter-clockwise from `startDeg` to `endDeg`.
void appendDxfArc(std::string& out, const DxfStyle& style, std::string_view cx, std::string_view cy,
                  float radius, double startDeg, double endDeg);
void appendDxfCircle(std::string& out, const DxfStyle& style, std::string_view cx,
                     std::string_view cy, float radius);
// A circle whose radius is already written (the hole export's own picture).
void appendDxfCircle(std::string& out, const DxfStyle& style, std::string_view cx,
                     std::string_view cy, std::string_view radius);

}  // namespace talmir::exporters
