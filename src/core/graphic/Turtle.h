#pragma once
// A pen that walks a contour figure in steps of a length and a direction and writes
// the G-code of what it draws. The milling contours of the drilling-cycle shapes
// and the wire-cut shape cycles are drawn with it.
//
// A direction is the step's own angle plus the figure's turn, in degrees, rounded
// to a whole degree (halves to even) and taken modulo 360; the sine and cosine come
// from single-precision radians with pi as 3.141592654 (which single precision
// cannot tell from 3.1415927). Each offset of a step is rounded to eight decimals
// ("####0.0#######") before it is added to the single-precision position, so
// figures come out the same on every machine.

#include "core/text/NumberPicture.h"

#include <string>
#include <string_view>

namespace talmir::graphic {

class Turtle {
public:
    // A pen at (xMm, yMm) whose every direction is turned by `turnDeg`; what it
    // writes is appended to `out`, each line ended by CR LF, coordinates and arc
    // offsets through `picture`.
    Turtle(std::string& out, float xMm, float yMm, float turnDeg,
           std::string_view picture = "######0.0####");

    float x() const { return m_x; }
    float y() const { return m_y; }

    struct Offset {
        float dx = 0;
        float dy = 0;
    };
    // The offset of a step of `lengthMm` in `directionDeg` (before the turn).
    Offset offset(float lengthMm, float directionDeg) const;

    // Moves without writing.
    void move(float lengthMm, float directionDeg);
    // Writes `word` followed by the position and "Y" ("G00X" gives G00X1.0Y2.0).
    void write(std::string_view word);
    // Moves, then writes the cut there ("G01X" x "Y" y).
    void line(float lengthMm, float directionDeg);
    // Moves, then writes a clockwise arc there: "G02X" x "Y" y "I" i "J" j, where
    // (i, j) is a step of `radiusMm` in `centreDeg` from the point the arc started
    // at. A half circle over its own chord has the centre half-way along the step
    // (`radiusMm` half of `lengthMm`, `centreDeg` the step's direction).
    void arc(float lengthMm, float directionDeg, float radiusMm, float centreDeg);
    void halfCircle(float lengthMm, float directionDeg, float radiusMm) {
        arc(lengthMm, directionDeg, radiusMm, directionDeg);
    }

private:
    void appendNumber(char letter, float value);

    std::string& m_out;
    float m_x;
    float m_y;
    float m_turnDeg;
    text::NumberPicture m_picture;
};

}  // namespace talmir::graphic
