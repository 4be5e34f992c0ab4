#pragma once
// The arcs that photoplot and router data give by a radius instead of a centre
// ("G02X10Y0R5"): the centre found from the two ends and the radius, written as
// the I and J of a G-code block. Shared by the Gerber and router imports.

#include <string>
#include <string_view>

namespace talmir::importers {

// The centre of an arc as offsets from its start point, mm.
struct ArcCentre {
    double i = 0;
    double j = 0;
};

// The centre of the arc from (px, py) to (x, y), mm, with radius `radiusMm`: a
// positive radius gives the arc of at most 180 degrees, a negative one the arc of
// at least 180 degrees; `clockwise` for G02. A radius shorter than half the chord
// by at most 0.001 mm is a rounding of the data and gives the half circle; shorter
// still throws Failure 5 (the invalid-argument error).
ArcCentre radiusArcCentre(double px, double py, double x, double y, double radiusMm,
                          bool clockwise);

// Appends the block `word` + "X" x + "Y" y + "I" i + "J" j of that arc to `out`
// (no line end), numbers with one to four decimals ("G02X10.0Y0.0I5.0J0.0"); "G02"
// turns clockwise and any other word counter-clockwise. An offset that rounds to
// nothing is written 0.0 (never "-0.0"); an offset beyond single precision throws
// the overflow failure (6), leaving part of the block in `out`.
void appendRadiusArc(std::string& out, std::string_view word, double px, double py, double x,
                     double y, double radiusMm);

}  // namespace talmir::importers
