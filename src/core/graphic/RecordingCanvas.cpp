#include "core/graphic/RecordingCanvas.h"

namespace talmir::graphic {

Primitive RecordingCanvas::make(PrimitiveKind kind) const {
    Primitive p;
    p.kind = kind;
    p.colour = m_colour;
    p.penWidthPx = m_penWidthPx;
    p.style = m_style;
    p.mode = m_mode;
    return p;
}

void RecordingCanvas::clear(Colour background) {
    m_primitives.clear();
    Primitive p = make(PrimitiveKind::Clear);
    p.colour = background;
    m_primitives.push_back(std::move(p));
}

void RecordingCanvas::setPen(Colour colour, int widthPx, PenStyle style) {
    m_colour = colour;
    m_penWidthPx = widthPx;
    m_style = style;
}

void RecordingCanvas::line(WorldPoint from, WorldPoint to) {
    Primitive p = make(PrimitiveKind::Line);
    p.points = {from, to};
    m_primitives.push_back(std::move(p));
}

void RecordingCanvas::polyline(std::span<const WorldPoint> points) {
    Primitive p = make(PrimitiveKind::Polyline);
    p.points.assign(points.begin(), points.end());
    m_primitives.push_back(std::move(p));
}

void RecordingCanvas::circle(WorldPoint centre, double radius) {
    Primitive p = make(PrimitiveKind::Circle);
    p.points = {centre};
    p.radius = radius;
    m_primitives.push_back(std::move(p));
}

void RecordingCanvas::arc(WorldPoint centre, double radius, double fromRad, double toRad) {
    Primitive p = make(PrimitiveKind::Arc);
    p.points = {centre};
    p.radius = radius;
    p.fromRad = fromRad;
    p.toRad = toRad;
    m_primitives.push_back(std::move(p));
}

void RecordingCanvas::pixel(WorldPoint at) {
    Primitive p = make(PrimitiveKind::Pixel);
    p.points = {at};
    m_primitives.push_back(std::move(p));
}

void RecordingCanvas::text(WorldPoint at, std::string_view utf8) {
    Primitive p = make(PrimitiveKind::Text);
    p.points = {at};
    p.text.assign(utf8);
    m_primitives.push_back(std::move(p));
}

std::vector<Primitive> RecordingCanvas::lines() const {
    std::vector<Primitive> out;
    for (const Primitive& p : m_primitives) {
        if (p.kind == PrimitiveKind::Line) {
            out.push_back(p);
        } else if (p.kind == PrimitiveKind::Polyline) {
            for (std::size_t k = 1; k < p.points.size(); ++k) {
                Primitive piece = p;
                piece.kind = PrimitiveKind::Line;
                piece.points = {p.points[k - 1], p.points[k]};
                out.push_back(std::move(piece));
            }
        }
    }
    return out;
}

std::vector<Primitive> RecordingCanvas::ofKind(PrimitiveKind kind) const {
    std::vector<Primitive> out;
    for (const Primitive& p : m_primitives) {
        if (p.kind == kind) {
            out.push_back(p);
        }
    }
    return out;
}

}  // namespace talmir::graphic
