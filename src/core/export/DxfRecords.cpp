#include "export/DxfRecords.h"

#include "export/ExportText.h"
#include "text/NumberPicture.h"

#include <charconv>
#include <cmath>

namespace talmir::exporters {

namespace {

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

void appendStyle(std::string& out, std::string_view entity, const DxfStyle& style) {
    out.append("  0\r\n");
    out.append(entity);
    out.append("\r\n  8\r\n");
    out.append(style.layer);
    out.append("\r\n 62\r\n");
    out.append(style.colour);
    out.append("\r\n");
}

void appendValue(std::string& out, std::string_view code, const text::NumberPicture& picture,
                 double value) {
    out.append(code);
    appendNumber(out, picture, value);
    out.append("\r\n");
}

void appendCentre(std::string& out, float x, float y) {
    appendValue(out, " 10\r\n", kCoordinate, x);
    appendValue(out, " 20\r\n", kCoordinate, y);
    out.append(" 30\r\n0.0\r\n");
}

}  // namespace

std::string_view dxfHeaderTemplate() {
    return kHeaderTemplate;
}

void appendDxfHeader(std::string& out) {
    out.append("  0\r\nSECTION\r\n  2\r\nHEADER\r\n999\r\nTALMIR_2\r\n  9\r\n");
    out.append(kHeaderTemplate);
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

void appendDxfLine(std::string& out, const DxfStyle& style, float x1, float y1, float x2,
                   float y2) {
    appendStyle(out, "LINE", style);
    out.append("  6\r\nCONTINUOUS\r\n");
    appendCentre(out, x1, y1);
    appendValue(out, " 11\r\n", kCoordinate, x2);
    appendValue(out, " 21\r\n", kCoordinate, y2);
    out.append(" 31\r\n0.0\r\n");
}

void appendDxfPoint(std::string& out, const DxfStyle& style, float x, float y) {
    appendStyle(out, "POINT", style);
    appendCentre(out, x, y);
}

void appendDxfArc(std::string& out, const DxfStyle& style, float cx, float cy, float radius,
                  double startDeg, double endDeg) {
    appendStyle(out, "ARC", style);
    out.append("  6\r\nCONTINUOUS\r\n");
    appendCentre(out, cx, cy);
    appendValue(out, " 40\r\n", kArcRadius, radius);
    appendValue(out, " 50\r\n", kAngle, startDeg);
    appendValue(out, " 51\r\n", kAngle, endDeg);
}

void appendDxfCircle(std::string& out, const DxfStyle& style, float cx, float cy, float radius) {
    appendStyle(out, "CIRCLE", style);
    out.append("  6\r\nCONTINUOUS\r\n");
    appendCentre(out, cx, cy);
    appendValue(out, " 40\r\n", kCoordinate, radius);
}

}  // namespace talmir::exporters
