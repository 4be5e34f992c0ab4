#pragma once
// The angles with which the plot and the G-code written back from it take an arc
// record apart. Both come out in (0, 2π]; arcs always run counter-clockwise from
// a "from" angle to a "to" angle.

#include <cmath>
#include <numbers>

namespace talmir::graphic {

// Angle of the start point P seen from the centre P + (I, J): straight below
// the centre (I = 0, J > 0) is 3π/2.
inline double arcStartAngle(double i, double j) {
    constexpr double pi = std::numbers::pi;
    if (i == 0) {
        return j >= 0 ? 3 * pi / 2 : pi / 2;
    }
    double a = std::atan(j / i) + (i > 0 ? pi : 0);
    return a > 0 ? a : a + 2 * pi;
}

// Angle of the end point seen from the centre; (dx, dy) = end - centre.
inline double arcEndAngle(double dx, double dy) {
    constexpr double pi = std::numbers::pi;
    if (dx == 0) {
        return dy >= 0 ? pi / 2 : 3 * pi / 2;
    }
    double a = std::atan(dy / dx) + (dx < 0 ? pi : 0);
    return a > 0 ? a : a + 2 * pi;
}

}  // namespace talmir::graphic
