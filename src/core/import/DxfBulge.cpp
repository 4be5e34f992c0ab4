#include "core/import/DxfBulge.h"

#include "core/import/DxfPairReader.h"

#include <cfloat>
#include <cmath>

namespace talmir::importers {

namespace {

constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.2957795130824;

float firstQuadrantDeg(float dx, float dy) {
    return dx != 0 ? toSingle(std::fabs(std::atan(static_cast<double>(dy) / dx) * kRadToDeg))
                   : 90.0f;
}

// Angle in degrees of the start point P seen from the centre, from I and J (the
// centre seen from P). The quadrant rules differ from endAngleDeg on the axes
// (I < 0 with J = 0 gives 360, not 0), which matters for the sweep.
float startAngleDeg(float i, float j) {
    const float a = firstQuadrantDeg(i, j);
    if (i >= 0 && j >= 0) {
        return toSingle(a + 180.0);
    }
    if (i >= 0) {
        return toSingle(180.0 - a);
    }
    if (j >= 0) {
        return toSingle(360.0 - a);
    }
    return a;
}

// Angle in degrees (0 to 360) of the end point seen from the centre.
float endAngleDeg(float ex, float ey) {
    const float a = firstQuadrantDeg(ex, ey);
    if (ex >= 0 && ey < 0) {
        return toSingle(360.0 - a);
    }
    if (ex < 0 && ey >= 0) {
        return toSingle(180.0 - a);
    }
    if (ex < 0 && ey < 0) {
        return toSingle(a + 180.0);
    }
    return a;
}

}  // namespace

float toSingle(double value) {
    // Also catches NaN.
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX))) {
        // Doubles just above FLT_MAX still round down to it.
        if (!std::isnan(value) && std::isfinite(static_cast<float>(value))) {
            return static_cast<float>(value);
        }
        throwOverflow();
    }
    return static_cast<float>(value);
}

float bulgeAngleDeg(float bulge) {
    return toSingle(4.0 * std::atan(static_cast<double>(bulge)) * kRadToDeg);
}

BulgeCentre bulgeCentre(float px, float py, float x, float y, bool clockwise, float angleDeg) {
    // Half chord and its length.
    const float hx = toSingle((static_cast<double>(x) - px) * 0.5);
    const float hy = toSingle((static_cast<double>(y) - py) * 0.5);
    const float h =
        toSingle(std::sqrt(static_cast<double>(hx) * hx + static_cast<double>(hy) * hy));
    // d: distance from the chord midpoint to the centre (signed, of no use: the sign
    // is lost in s and the 0.1 degree check below picks the side).
    const float d = toSingle(std::tan((90.0 - angleDeg * 0.5) * kDegToRad) * h);
    const float r = toSingle(std::sqrt(static_cast<double>(h) * h + static_cast<double>(d) * d));
    const float mx = toSingle(static_cast<double>(px) + hx);
    const float my = toSingle(static_cast<double>(py) + hy);
    // r >= h holds in exact arithmetic; never take the root of a rounding residue.
    const double s2 = static_cast<double>(r) * r - static_cast<double>(h) * h;
    const float s = toSingle(std::sqrt(s2 > 0 ? s2 : 0.0));
    // Normal of the chord.
    const float n =
        hx != 0 ? toSingle(std::atan(static_cast<double>(hy) / hx) * kRadToDeg + 90.0) : 180.0f;
    const float ux = toSingle(s * std::cos(n * kDegToRad));
    const float uy = toSingle(s * std::sin(n * kDegToRad));

    float cx = toSingle(static_cast<double>(mx) + ux);
    float cy = toSingle(static_cast<double>(my) + uy);
    BulgeCentre c{toSingle(static_cast<double>(cx) - px), toSingle(static_cast<double>(cy) - py)};

    float a1 = startAngleDeg(c.i, c.j);
    float a2 =
        endAngleDeg(toSingle(static_cast<double>(x) - cx), toSingle(static_cast<double>(y) - cy));
    float sweep = 0;
    if (clockwise) {
        if (a2 > a1) {
            a1 = toSingle(a1 + 360.0);
        }
        sweep = std::fabs(a1 - a2);
    } else {
        if (a2 < a1) {
            a2 = toSingle(a2 + 360.0);
        }
        sweep = std::fabs(a2 - a1);
    }
    const float included = std::fabs(angleDeg);
    const bool matches =
        static_cast<float>(sweep + 0.1) >= included && included >= static_cast<float>(sweep - 0.1);
    if (!matches) {
        cx = toSingle(static_cast<double>(mx) - ux);
        cy = toSingle(static_cast<double>(my) - uy);
        c = {toSingle(static_cast<double>(cx) - px), toSingle(static_cast<double>(cy) - py)};
    }
    return c;
}

}  // namespace talmir::importers
