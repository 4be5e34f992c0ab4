#pragma once
// The check of a G-code program before it goes to a machine: arcs whose end
// point is off their circle, arcs of no size, cutting moves before any feed,
// moves outside the working area, words no controller reads, and drilled holes
// closer than their diameter.
//
// A line is read as a block of words (a letter and its number) once comments in
// parentheses and after ";" are taken out; a line that does not start with a
// word (a section line such as "(T1)", "%" or "LAYER 1") is no block and is not
// checked. Letters may be in either case; G1 is G01; a block with coordinates
// and no motion word continues the last motion; G90 and G91 switch between
// absolute and incremental coordinates.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talmir::editor {

struct CheckOptions {
    // How far the radius at an arc's end may differ from the radius at its start.
    double arcTolerance = 0.002;
    // Left, bottom, right, top of the working area; none: no area check.
    std::optional<std::array<double, 4>> area;
    // The diameter of the drilled holes; none: each section of the form
    // "T1C0.8" gives its own, and holes of other sections are not compared.
    std::optional<double> holeDiameter;
};

struct Finding {
    std::size_t line = 0;  // 1-based
    std::string text;      // UTF-8
};

// Every finding, in line order (a line may have several).
std::vector<Finding> checkProgram(std::string_view gcode, const CheckOptions& options = {});

// "12: ..." one finding a line.
std::string findingsText(const std::vector<Finding>& findings);

}  // namespace talmir::editor
