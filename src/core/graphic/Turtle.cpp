#include "core/graphic/Turtle.h"

#include "core/text/NumericValue.h"

#include <cmath>

namespace talmir::graphic {

namespace {

constexpr float kPi = 3.141592654f;

// A step component as the figure keeps it: rounded to eight decimals, then single.
float rounded(double value) {
    static const text::NumberPicture picture("####0.0#######");
    thread_local std::string digits;  // kept, so a long figure allocates once
    digits.clear();
    picture.append(digits, value);
    return static_cast<float>(text::numericValue(digits));
}

}  // namespace

Turtle::Turtle(std::string& out, float xMm, float yMm, float turnDeg, std::string_view picture)
    : m_out(out), m_x(xMm), m_y(yMm), m_turnDeg(turnDeg), m_picture(picture) {}

Turtle::Offset Turtle::offset(float lengthMm, float directionDeg) const {
    // nearbyint rounds halves to even in the default rounding mode.
    const double whole = std::fmod(std::nearbyint(double(directionDeg + m_turnDeg)), 360.0);
    const float radians = static_cast<float>(whole) * kPi / 180.0f;
    return Offset{rounded(double(lengthMm) * std::cos(double(radians))),
                  rounded(double(lengthMm) * std::sin(double(radians)))};
}

void Turtle::move(float lengthMm, float directionDeg) {
    const Offset step = offset(lengthMm, directionDeg);
    m_x += step.dx;
    m_y += step.dy;
}

void Turtle::appendNumber(char letter, float value) {
    m_out.push_back(letter);
    m_picture.append(m_out, double(value));
}

void Turtle::write(std::string_view word) {
    m_out.append(word);
    m_picture.append(m_out, double(m_x));
    appendNumber('Y', m_y);
    m_out.append("\r\n");
}

void Turtle::line(float lengthMm, float directionDeg) {
    move(lengthMm, directionDeg);
    write("G01X");
}

void Turtle::arc(float lengthMm, float directionDeg, float radiusMm, float centreDeg) {
    const Offset centre = offset(radiusMm, centreDeg);
    move(lengthMm, directionDeg);
    m_out.append("G02X");
    m_picture.append(m_out, double(m_x));
    appendNumber('Y', m_y);
    appendNumber('I', centre.dx);
    appendNumber('J', centre.dy);
    m_out.append("\r\n");
}

}  // namespace talmir::graphic
