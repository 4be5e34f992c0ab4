#include "core/import/RadiusArc.h"

#include "core/Failure.h"
#include "core/import/BlockWords.h"
#include "core/text/NumberPicture.h"

#include <cmath>

namespace talmir::importers {

namespace {

using blocks::kDegToRad;
using blocks::kRadToDeg;

// Blocks computed from a radius: one to four decimals, five integer places.
const text::NumberPicture kRadiusPicture("#####0.0###");

// A radius this much (mm) shorter than half its chord is taken for a rounding of
// the data and gives the half circle.
constexpr double kRadiusSlackMm = 0.001;

// Angle in degrees of the start point seen from the centre, from I and J.
double startAngleDeg(double i, double j) {
    const double a = i != 0 ? std::fabs(std::atan(j / i) * kRadToDeg) : 90.0;
    if (i >= 0 && j >= 0) {
        return a + 180;
    }
    if (i >= 0) {
        return 180 - a;
    }
    if (j >= 0) {
        return 360 - a;
    }
    return a;
}

// Angle in degrees of the end point seen from the centre; (ex, ey) = end - centre.
double endAngleDeg(double ex, double ey) {
    const double a = ex != 0 ? std::fabs(std::atan(ey / ex) * kRadToDeg) : 90.0;
    if (ex >= 0 && ey < 0) {
        return 360 - a;
    }
    if (ex < 0 && ey >= 0) {
        return 180 - a;
    }
    if (ex < 0 && ey < 0) {
        return a + 180;
    }
    return a;
}

}  // namespace

ArcCentre radiusArcCentre(double px, double py, double x, double y, double radiusMm,
                          bool clockwise) {
    // From the middle of the chord, the centre lies `s` away along its normal `n`.
    const double hx = (x - px) * 0.5;
    const double hy = (y - py) * 0.5;
    const double mx = px + hx;
    const double my = py + hy;
    const double h = std::sqrt(hx * hx + hy * hy);
    double s2 = radiusMm * radiusMm - h * h;
    if (s2 < 0) {
        if (std::fabs(radiusMm) < h - kRadiusSlackMm) {
            throw Failure{5, "プロシージャの呼び出し、または引数が不正です。"};
        }
        s2 = 0;
    }
    const double s = std::sqrt(s2);
    const double n = hx != 0 ? std::atan(hy / hx) * kRadToDeg + 90 : 180.0;
    const double ux = s * std::cos(n * kDegToRad);
    const double uy = s * std::sin(n * kDegToRad);
    ArcCentre c{mx + ux - px, my + uy - py};
    double a1 = startAngleDeg(c.i, c.j);
    double a2 = endAngleDeg(x - (mx + ux), y - (my + uy));
    double sweep = 0;
    if (clockwise) {
        if (a2 > a1) {
            a1 += 360;
        }
        sweep = std::fabs(a1 - a2);
    } else {
        if (a2 < a1) {
            a2 += 360;
        }
        sweep = std::fabs(a2 - a1);
    }
    // The other centre, across the chord, when this one turns the wrong way round.
    if ((radiusMm > 0 && sweep > 180) || (radiusMm < 0 && sweep < 180)) {
        c = ArcCentre{mx - ux - px, my - uy - py};
    }
    return c;
}

void appendRadiusArc(std::string& out, std::string_view word, double px, double py, double x,
                     double y, double radiusMm) {
    const ArcCentre c = radiusArcCentre(px, py, x, y, radiusMm, word == "G02");
    // The centre is found through sines and cosines: an offset that rounds to
    // nothing is written as 0.0, not as "-0.0".
    auto offset = [](double v) { return std::fabs(v) < 5e-5 ? 0.0 : blocks::checked(v); };
    out += word;
    out += 'X';
    kRadiusPicture.append(out, x);
    out += 'Y';
    kRadiusPicture.append(out, y);
    out += 'I';
    kRadiusPicture.append(out, offset(c.i));
    out += 'J';
    kRadiusPicture.append(out, offset(c.j));
}

}  // namespace talmir::importers
