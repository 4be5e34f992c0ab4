#pragma once
// Arc geometry of the DXF import, in single precision: every stored value is a
// float (the G-code shows what the float holds), every expression is evaluated in
// double and rounded to float when stored.

namespace talmir::importers {

// The value stored into single precision. Throws talmir::Failure (overflow) when it
// is beyond the float range, so no "inf" ever reaches the G-code.
float toSingle(double value);

// I and J (centre minus start point) of the arc from P = (px, py) to Q = (x, y)
// with the signed included angle `angleDeg` (positive counter-clockwise), written
// as G02 when `clockwise`, else G03. Of the two centres on the chord's normal the
// one whose sweep from P to Q matches |angleDeg| within 0.1 degree is taken.
struct BulgeCentre {
    float i = 0;
    float j = 0;
};
BulgeCentre bulgeCentre(float px, float py, float x, float y, bool clockwise, float angleDeg);

// The included angle in degrees of a DXF bulge (tan of a quarter of the angle).
float bulgeAngleDeg(float bulge);

}  // namespace talmir::importers
