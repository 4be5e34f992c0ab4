#include "core/export/DxfRecords.h"

#include "core/export/ExportText.h"
#include "core/text/NumberPicture.h"

#include <charconv>
#include <cmath>

namespace talmir::exporters {

namespace {

using namespace std::string_view_literals;

// Header variables, then the line-type table with its five line types.
constexpr std::string_view kHeaderTemplate =
    "$ELEVATION\r\n 40\r\n0.0\r\n"
    "  9\r\n$UCSORG\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n"
    "  9\r\n$UCSXDIR\r\n 10\r\n1.0\r\n 20\r\n0.0\r\n 30\r\n0.0\r\n"
    "  9\r\n$UCSYDIR\r\n 10\r\n0.0\r\n 20\r\n1.0\r\n 30\r\n0.0\r\n"
    "  0\r\nENDSEC\r\n"
    "  0\r\nSECTION\r\n  2\r\nTABLES\r\n"
    "  0\r\nTABLE\r\n  2\r\nLTYPE\r\n 70\r\n     5\r\n"
    "  0\r\nLTYPE\r\n  2\r\nCONTINUOUS\r\n 70\r\n    64\r\n"
    "  3\r\nSolid line\r\n"
    " 72\r\n    65\r\n 73\r\n     0\r\n 40\r\n0.0\r\n"
    "  0\r\nLTYPE\r\n  2\r\nDASHED\r\n 70\r\n    64\r\n"
    "  3\r\n__ __ __ __ __ __ __ __ __ __ __ __ __ __ __ __\r\n"
    " 72\r\n    65\r\n 73\r\n     2\r\n 40\r\n0.75\r\n"
    " 49\r\n0.5\r\n 49\r\n-0.25\r\n"
    "  0\r\nLTYPE\r\n  2\r\nHIDDEN\r\n 70\r\n    64\r\n"
    "  3\r\n__ __ __ __ __ __ __ __ __ __ __ __ __ __ __ __\r\n"
    " 72\r\n    65\r\n 73\r\n     2\r\n 40\r\n0.375\r\n"
    " 49\r\n0.25\r\n 49\r\n-0.125\r\n"
    "  0\r\nLTYPE\r\n  2\r\nCENTER\r\n 70\r\n    64\r\n"
    "  3\r\n____ _ ____ _ ____ _ ____ _ ____ _ ____ _ ____\r\n"
    " 72\r\n    65\r\n 73\r\n     4\r\n 40\r\n2.0\r\n"
    " 49\r\n1.25\r\n 49\r\n-0.25\r\n 49\r\n0.25\r\n 49\r\n-0.25\r\n"
    "  0\r\nLTYPE\r\n  2\r\nPHANTOM\r\n 70\r\n    64\r\n"
    "  3\r\n______  __  __  ______  __  __  ______  __  __\r\n"
    " 72\r\n    65\r\n 73\r\n     6\r\n 40\r\n2.5\r\n"
    " 49\r\n1.25\r\n 49\r\n-0.25\r\n 49\r\n0.25\r\n 49\r\n-0.25\r\n 49\r\n0.25\r\n 49\r\n-0.25\r\n"
    "  0\r\nENDTAB\r\n";

const text::NumberPicture kCoordinate("####0.0#######");
const text::NumberPicture kArcRadius("####0.0##############");
const text::NumberPicture kAngle("#####0.0############");

// "  0", the entity name, its layer and colour; lines ended by CR LF.
void appendStyle(std::string& out, std::string_view entity, const DxfStyle& style,
                 std::string_view after) {
    out.append("  0\r\n"sv);
    out.append(entity);
    out.append("\r\n  8\r\n"sv);
    out.append(style.layer);
    out.append("\r\n 62\r\n"sv);
    out.append(style.colour);
    out.append(after);
}

// " 10" x " 20" y " 30" 0.0
void appendPoint(std::string& out, std::string_view x, std::string_view y) {
    out.append(x);
    out.append("\r\n 20\r\n"sv);
    out.append(y);
    out.append("\r\n 30\r\n0.0\r\n"sv);
}

void appendValue(std::string& out, const text::NumberPicture& picture, double value,
                 std::string_view after) {
    appendNumber(out, picture, value);
    out.append(after);
}

}  // namespace

std::string_view dxfHeaderTemplate() {
    return kHeaderTemplate;
}

void appendDxfHeader(std::string& out) {
    out.append("  0\r\nSECTION\r\n  2\r\nHEADER\r\n999\r\nTALMIR_2\r\n  9\r\n");
    out.append(kHeaderTemplate);
}

void appendDxfFrameStart(std::string& out, std::span<const std::string_view> layers,
                         std::span<const std::string> colours) {
    appendDxfHeader(out);
    out.append("  0\r\nTABLE\r\n  2\r\nLAYER\r\n 70\r\n"sv);
    appendDxfText(out, dxfColourText(static_cast<double>(layers.size() + 1)));
    for (std::size_t n = 0; n < layers.size(); ++n) {
        out.append("  0\r\nLAYER\r\n  2\r\n"sv);
        appendDxfText(out, layers[n]);
        out.append(" 70\r\n     0\r\n 62\r\n"sv);
        appendDxfText(out, colours[n]);
        out.append("  6\r\nCONTINUOUS\r\n"sv);
    }
    out.append("  0\r\nENDTAB\r\n  0\r\nENDSEC\r\n"sv);
    out.append("  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n  0\r\nENDSEC\r\n"sv);
    out.append("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"sv);
}

void appendDxfFrameEnd(std::string& out) {
    out.append("  0\r\nENDSEC\r\n  0\r\nEOF\r\n"sv);
}

std::string dxfColourText(double colour) {
    std::string text = "     ";
    char buf[64];
    std::to_chars_result r{};
    if (std::isfinite(colour) && colour == std::trunc(colour) && std::fabs(colour) < 1e15) {
        r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(colour));
    } else {
        r = std::to_chars(buf, buf + sizeof buf, colour);
    }
    text.append(buf, r.ptr);
    return text;
}

DxfCoordinate::DxfCoordinate() : NumberText(kCoordinate) {}

void appendDxfLine(std::string& out, const DxfStyle& style, std::string_view x1,
                   std::string_view y1, std::string_view x2, std::string_view y2) {
    appendStyle(out, "LINE", style, "\r\n  6\r\nCONTINUOUS\r\n 10\r\n");
    appendPoint(out, x1, y1);
    out.append(" 11\r\n"sv);
    out.append(x2);
    out.append("\r\n 21\r\n"sv);
    out.append(y2);
    out.append("\r\n 31\r\n0.0\r\n"sv);
}

void appendDxfPoint(std::string& out, const DxfStyle& style, std::string_view x,
                    std::string_view y) {
    appendStyle(out, "POINT", style, "\r\n 10\r\n");
    appendPoint(out, x, y);
}

void appendDxfArc(std::string& out, const DxfStyle& style, std::string_view cx, std::string_view cy,
                  float radius, double startDeg, double endDeg) {
    appendStyle(out, "ARC", style, "\r\n  6\r\nCONTINUOUS\r\n 10\r\n");
    appendPoint(out, cx, cy);
    out.append(" 40\r\n"sv);
    appendValue(out, kArcRadius, radius, "\r\n 50\r\n");
    appendValue(out, kAngle, startDeg, "\r\n 51\r\n");
    appendValue(out, kAngle, endDeg, "\r\n");
}

void appendDxfCircle(std::string& out, const DxfStyle& style, std::string_view cx,
                     std::string_view cy, float radius) {
    appendStyle(out, "CIRCLE", style, "\r\n  6\r\nCONTINUOUS\r\n 10\r\n");
    appendPoint(out, cx, cy);
    out.append(" 40\r\n"sv);
    appendValue(out, kCoordinate, radius, "\r\n");
}

void appendDxfCircle(std::string& out, const DxfStyle& style, std::string_view cx,
                     std::string_view cy, std::string_view radius) {
    appendStyle(out, "CIRCLE", style, "\r\n  6\r\nCONTINUOUS\r\n 10\r\n");
    appendPoint(out, cx, cy);
    out.append(" 40\r\n"sv);
    out.append(radius);
    out.append("\r\n"sv);
}

}  // namespace talmir::exporters
