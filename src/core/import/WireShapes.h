#pragma once
// The G22 shape cycles of wire-cut programs: rectangles, slots, cut-flat circles,
// rectangles with a round end or rounded corners and circles, each cut clockwise
// around or beside the start point and turned by the K angle. The figures are
// drawn with the contour turtle, so every direction is a whole degree and every
// step is rounded as the program always rounded it.

#include <array>
#include <string>

namespace talmir::importers::wire {

inline constexpr int kLastRegister = 250;
// H0 to H250; H100 is the X size, H200 the Y size, H110 to H150 the corner radii.
using Registers = std::array<float, kLastRegister + 1>;

// Appends the cycle `code` (1000 for G22L1000) cut from the start point (xMm,
// yMm), turned by `turnDeg`, and the rapid move back to the start point, every
// line ended by CR LF. Throws Failure for an unknown code, for the cut-flat circle
// L3000 whose flats meet or cannot be, and for a size beyond single precision.
void appendShapeCycle(std::string& out, int code, const Registers& h, float xMm, float yMm,
                      float turnDeg);

}  // namespace talmir::importers::wire
