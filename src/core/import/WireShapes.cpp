#include "core/import/WireShapes.h"

#include "core/Failure.h"
#include "core/graphic/Turtle.h"
#include "core/text/NumberPicture.h"

#include <cmath>
#include <cstdint>
#include <span>

namespace talmir::importers::wire {

namespace {

// The lengths a figure is made of: the sizes, their halves, the flat of the
// cut-flat circle and the corner radii r1 (upper right) to r4 (upper left).
enum class Q : std::uint8_t { Zero, XS, YS, XH, YH, Flat, TwoFlats, R1, R2, R3, R4, Count };
// plus - minus1 - minus2, in single precision from left to right.
struct Len {
    Q plus = Q::Zero;
    Q minus1 = Q::Zero;
    Q minus2 = Q::Zero;
};
constexpr Len operator-(Len a, Q b) {
    (a.minus1 == Q::Zero ? a.minus1 : a.minus2) = b;
    return a;
}
constexpr Len XS{Q::XS};
constexpr Len YS{Q::YS};
constexpr Len XH{Q::XH};
constexpr Len YH{Q::YH};
constexpr Len S1{Q::Flat};
constexpr Len S2{Q::TwoFlats};

// The steps of a figure. P is the pen, starting at the start point; u(a) is the
// unit step at a + the turn, in whole degrees.
enum class Op : std::uint8_t {
    Move,    // P += d u(a), nothing written
    Rapid,   // "G00X" P "Y" P: the entry move
    Feed,    // "G01X" P "Y" P: the entry move
    Cut,     // P += d u(a), then "G01X" P "Y" P
    Half,    // P += d u(a), then a half circle "G02" to P, centre r u(a) from where it started
    Corner,  // P += r u(a) + r u(a2), then "G02" to P with the centre r u(a2) from the start
    Arc,     // "G02" to P, the centre r u(a + phi) from the last point written
};
struct Step {
    Op op;
    Len length = {};
    std::int16_t deg = 0;
    Len radius = {};
    std::int16_t deg2 = 0;
};
constexpr Step M(Len d, int a) {
    return {Op::Move, d, static_cast<std::int16_t>(a)};
}
constexpr Step C(Len d, int a) {
    return {Op::Cut, d, static_cast<std::int16_t>(a)};
}
constexpr Step S(Len d, int a, Len r) {
    return {Op::Half, d, static_cast<std::int16_t>(a), r};
}
constexpr Step F(Q r, int a1, int a2) {
    return {Op::Corner, Len{r}, static_cast<std::int16_t>(a1), Len{r},
            static_cast<std::int16_t>(a2)};
}
constexpr Step A(Len r, int a) {  // a + phi, the angle of the flat
    return {Op::Arc, {}, static_cast<std::int16_t>(a), r};
}
constexpr Step E0{Op::Rapid};
constexpr Step E1{Op::Feed};

using Steps = std::span<const Step>;

// clang-format off
// Rectangles: centred, or with the start point in the square at one end.
constexpr Step kRect[] = {M(YH, 90), E0, C(XH, 0), C(YS, 270), C(XS, 180), C(YS, 90), C(XH, 0)};
constexpr Step kRectTall[] = {M(XH, 0), E0, C(YH, 270), C(XS, 180), C(YS, 90), C(XS, 0), C(YH, 270)};
constexpr Step kRectLeft[] = {M(YH, 270), E0, C(YH, 180), C(YS, 90), C(XS, 0), C(YS, 270), C(XS - Q::YH, 180)};
constexpr Step kRectTop[] = {M(XH, 180), E0, C(XH, 90), C(XS, 0), C(YS, 270), C(XS, 180), C(YS - Q::XH, 90)};
constexpr Step kRectRight[] = {M(YH, 90), E0, C(YH, 0), C(YS, 270), C(XS, 180), C(YS, 90), C(XS - Q::YH, 0)};
constexpr Step kRectBottom[] = {M(XH, 0), E0, C(XH, 270), C(XS, 180), C(YS, 90), C(XS, 0), C(YS - Q::XH, 270)};
// Slots with half-round ends: centred, or the start point at the centre of one end.
constexpr Step kSlotBody[] = {E1, S(YS, 270, YH), C(XS - Q::YS, 180), S(YS, 90, YH), C(XS - Q::YS, 0)};
constexpr Step kSlotTallBody[] = {E1, S(XS, 180, XH), C(YS - Q::XS, 90), S(XS, 0, XH), C(YS - Q::XS, 270)};
constexpr Step kSlot[] = {M(YH, 90), M(XH - Q::YH, 0)};
constexpr Step kSlotTall[] = {M(XH, 0), M(YH - Q::XH, 270)};
constexpr Step kSlotLeft[] = {M(XS - Q::YS, 0), M(YH, 90)};
constexpr Step kSlotTop[] = {M(YS - Q::XS, 270), M(XH, 0)};
constexpr Step kSlotRight[] = {M(YH, 90)};
constexpr Step kSlotBottom[] = {M(XH, 0)};
// The circle cut flat at two sides.
constexpr Step kFlats[] = {M(YH, 90), E1, C(S1, 0), M(YS, 270), A(XH, 180), C(S2, 180), M(YS, 90), A(XH, 0), C(S1, 0)};
constexpr Step kFlatsTall[] = {M(XH, 0), E1, C(S1, 270), M(XS, 180), A(YH, 90), C(S2, 90), M(XS, 0), A(YH, 270), C(S1, 270)};
// A rectangle with one half-round end, the start point at the centre of that end.
constexpr Step kRoundLeft[] = {M(YH, 270), E1, S(YS, 90, YH), C(XS - Q::YH, 0), C(YS, 270), C(XS - Q::YH, 180)};
constexpr Step kRoundTop[] = {M(XH, 180), E1, S(XS, 0, XH), C(YS - Q::XH, 270), C(XS, 180), C(YS - Q::XH, 90)};
constexpr Step kRoundRight[] = {M(YH, 90), E1, S(YS, 270, YH), C(XS - Q::YH, 180), C(YS, 90), C(XS - Q::YH, 0)};
constexpr Step kRoundBottom[] = {M(XH, 0), E1, S(XS, 180, XH), C(YS - Q::XH, 90), C(XS, 0), C(YS - Q::XH, 270)};
// Rounded corners, the rectangle centred on the pen.
constexpr Step kCorners[] = {M(YH, 90), E1, C(XH - Q::R1, 0), F(Q::R1, 0, 270), C(YS - Q::R1 - Q::R2, 270),
    F(Q::R2, 270, 180), C(XS - Q::R2 - Q::R3, 180), F(Q::R3, 180, 90), C(YS - Q::R3 - Q::R4, 90),
    F(Q::R4, 90, 0), C(XH - Q::R4, 0)};
constexpr Step kCornersTall[] = {M(XH, 0), E1, C(YH - Q::R2, 270), F(Q::R2, 270, 180), C(XS - Q::R2 - Q::R3, 180),
    F(Q::R3, 180, 90), C(YS - Q::R3 - Q::R4, 90), F(Q::R4, 90, 0), C(XS - Q::R4 - Q::R1, 0),
    F(Q::R1, 0, 270), C(YH - Q::R1, 270)};
constexpr Step kToCentreLeft[] = {M(XH - Q::YH, 0)};
constexpr Step kToCentreTop[] = {M(YH - Q::XH, 270)};
constexpr Step kToCentreRight[] = {M(XH - Q::YH, 180)};
constexpr Step kToCentreBottom[] = {M(YH - Q::XH, 90)};
// clang-format on

enum class Radii : std::uint8_t { None, AllH150, EachH110ToH140 };

// A figure: the first form when XS > YS (or XS >= YS with `evenIfEqual`), the
// other form otherwise; each form is its `lead` steps, then its `body`.
struct Figure {
    int code;
    bool evenIfEqual;
    Steps leadFirst;
    Steps bodyFirst;
    Steps leadOther;
    Steps bodyOther;
    Radii radii = Radii::None;
    bool flats = false;
};

const Figure kFigures[] = {
    {1000, true, {}, kRect, {}, kRectTall},
    {1100, true, {}, kRectLeft, {}, kRectTop},
    {1200, true, {}, kRectRight, {}, kRectBottom},
    {2000, false, kSlot, kSlotBody, kSlotTall, kSlotTallBody},
    {2100, false, kSlotLeft, kSlotBody, kSlotTop, kSlotTallBody},
    {2200, false, kSlotRight, kSlotBody, kSlotBottom, kSlotTallBody},
    {3000, false, {}, kFlats, {}, kFlatsTall, Radii::None, true},
    {4100, false, {}, kRoundLeft, {}, kRoundTop},
    {4200, false, {}, kRoundRight, {}, kRoundBottom},
    {5000, true, {}, kCorners, {}, kCornersTall, Radii::AllH150},
    {5100, true, kToCentreLeft, kCorners, kToCentreTop, kCornersTall, Radii::AllH150},
    {5200, true, kToCentreRight, kCorners, kToCentreBottom, kCornersTall, Radii::AllH150},
    {6000, true, {}, kCorners, {}, kCornersTall, Radii::EachH110ToH140},
    {6100, true, kToCentreLeft, kCorners, kToCentreTop, kCornersTall, Radii::EachH110ToH140},
    {6200, true, kToCentreRight, kCorners, kToCentreBottom, kCornersTall, Radii::EachH110ToH140},
};

constexpr float kPi = 3.1415927f;
const text::NumberPicture kPosition("######0.0####");

float finite(float value) {
    if (!std::isfinite(value)) {
        throw overflowFailure();
    }
    return value;
}

class Pen {
public:
    Pen(std::string& out, float x, float y, float turnDeg) : m_turtle(out, x, y, turnDeg) {}

    std::array<float, static_cast<std::size_t>(Q::Count)> q{};
    float phiDeg = 0;  // the angle of the flats of L3000, seen from the centre

    float length(const Len& l) const { return finite(at(l.plus) - at(l.minus1) - at(l.minus2)); }

    void run(Steps steps) {
        for (const Step& s : steps) {
            step(s);
        }
    }

private:
    float at(Q which) const { return q[static_cast<std::size_t>(which)]; }

    void move(const Len& d, float deg) {
        m_turtle.move(length(d), deg);
        finite(m_turtle.x());
        finite(m_turtle.y());
    }

    // "G02" to the pen, the centre r u(deg) from the point written last.
    void arcTo(const Len& r, float deg) { m_turtle.arc(0, 0, length(r), deg); }

    void step(const Step& s) {
        const auto a = static_cast<float>(s.deg);
        switch (s.op) {
            case Op::Move:
                move(s.length, a);
                break;
            case Op::Rapid:
                m_turtle.write("G00X");
                break;
            case Op::Feed:
                m_turtle.write("G01X");
                break;
            case Op::Cut:
                move(s.length, a);
                m_turtle.write("G01X");
                break;
            case Op::Half:
                move(s.length, a);
                arcTo(s.radius, a);
                break;
            case Op::Corner:
                move(s.length, a);
                move(s.length, static_cast<float>(s.deg2));
                arcTo(s.radius, static_cast<float>(s.deg2));
                break;
            case Op::Arc:
                arcTo(s.radius, a + phiDeg);
                break;
        }
    }

    graphic::Turtle m_turtle;
};

void appendPosition(std::string& out, std::string_view word, float x, float y) {
    out.append(word);
    kPosition.append(out, double(finite(x)));
    out.push_back('Y');
    kPosition.append(out, double(finite(y)));
}

// L4000 and L7000 (r = H100 / 2) and L8000 (r = 1500): two half circles around
// the start point, entered from the right.
void appendCircle(std::string& out, float r, float x, float y) {
    appendPosition(out, "G01X", x + r, y);
    out.append("\r\n");
    appendPosition(out, "G02X", x - r, y);
    // The offset has always been written as "I-" and the radius; a negative
    // radius gets its own sign instead of "I--".
    out.append(r >= 0 ? "I-" : "I");
    kPosition.append(out, double(std::fabs(r)));
    out.append("J0.0\r\n");
    appendPosition(out, "G02X", x + r, y);
    out.push_back('I');
    kPosition.append(out, double(r));
    out.append("J0.0\r\n");
}

// The flat of the cut-flat circle: half of it, s = sqrt(big^2 - small^2), and
// the angle of its ends seen from the centre, atan(small / s). Flats that meet
// (s = 0) divide by zero, as they always did.
void flats(Pen& pen, float big, float small) {
    const double square = double(big) * big - double(small) * small;
    if (square < 0) {
        throw invalidArgumentFailure();
    }
    const auto s = static_cast<float>(std::sqrt(square));
    if (s == 0) {
        throw divisionByZeroFailure();
    }
    pen.q[static_cast<std::size_t>(Q::Flat)] = s;
    pen.q[static_cast<std::size_t>(Q::TwoFlats)] = finite(2 * s);
    pen.phiDeg = static_cast<float>(std::atan(double(small / s))) * 180.0f / kPi;
}

}  // namespace

void appendShapeCycle(std::string& out, int code, const Registers& h, float xMm, float yMm,
                      float turnDeg) {
    const float xs = h[100];
    const float ys = h[200];
    if (code == 4000 || code == 7000 || code == 8000) {
        appendCircle(out, code == 8000 ? 1500.0f : xs / 2, xMm, yMm);
    } else {
        const Figure* figure = nullptr;
        for (const Figure& f : kFigures) {
            figure = f.code == code ? &f : figure;
        }
        if (figure == nullptr) {
            throw Failure::message("G22L" + std::to_string(code) + "の形状はありません");
        }
        Pen pen(out, xMm, yMm, turnDeg);
        auto set = [&pen](Q which, float value) { pen.q[static_cast<std::size_t>(which)] = value; };
        set(Q::XS, xs);
        set(Q::YS, ys);
        set(Q::XH, xs / 2);
        set(Q::YH, ys / 2);
        const bool first = figure->evenIfEqual ? xs >= ys : xs > ys;
        if (figure->radii == Radii::AllH150) {
            for (Q r : {Q::R1, Q::R2, Q::R3, Q::R4}) {
                set(r, h[150]);
            }
        } else if (figure->radii == Radii::EachH110ToH140) {
            set(Q::R1, h[110]);
            set(Q::R2, h[120]);
            set(Q::R3, h[130]);
            set(Q::R4, h[140]);
        }
        if (figure->flats) {
            first ? flats(pen, xs / 2, ys / 2) : flats(pen, ys / 2, xs / 2);
        }
        pen.run(first ? figure->leadFirst : figure->leadOther);
        pen.run(first ? figure->bodyFirst : figure->bodyOther);
    }
    appendPosition(out, "G00X", xMm, yMm);
    out.append("\r\n");
}

}  // namespace talmir::importers::wire
