#pragma once
// A canvas that lists what was drawn on it, for tests.

#include "core/graphic/Canvas.h"

#include <string>
#include <vector>

namespace talmir::graphic {

enum class PrimitiveKind { Clear, Line, Polyline, Circle, Arc, Pixel, Text };

struct Primitive {
    PrimitiveKind kind = PrimitiveKind::Clear;
    Colour colour = 0;  // the pen colour, or the background for Clear
    int penWidthPx = 1;
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
    std::vector<WorldPoint> points;  // line ends, polyline points, centre, pixel, text corner
    double radius = 0;
    double fromRad = 0;
    double toRad = 0;
    std::string text;
};

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(int widthPx = 1000, int heightPx = 1000)
        : m_widthPx(widthPx), m_heightPx(heightPx) {}

    int widthPx() const override { return m_widthPx; }
    int heightPx() const override { return m_heightPx; }
    void setWorldWindow(const WorldWindow& window) override { m_window = window; }
    void clear(Colour background) override;
    void setPen(Colour colour, int widthPx, PenStyle style) override;
    void setMode(PenMode mode) override { m_mode = mode; }
    void line(WorldPoint from, WorldPoint to) override;
    void polyline(std::span<const WorldPoint> points) override;
    void circle(WorldPoint centre, double radius) override;
    void arc(WorldPoint centre, double radius, double fromRad, double toRad) override;
    void pixel(WorldPoint at) override;
    void text(WorldPoint at, std::string_view utf8) override;
    double textLineHeight() const override { return 1; }

    const WorldWindow& window() const { return m_window; }
    PenMode mode() const { return m_mode; }
    const std::vector<Primitive>& primitives() const { return m_primitives; }
    // Every line and every polyline piece as a two-point line, in drawing order,
    // so tests need not care how runs of lines were joined.
    std::vector<Primitive> lines() const;
    std::vector<Primitive> ofKind(PrimitiveKind kind) const;

private:
    Primitive make(PrimitiveKind kind) const;

    int m_widthPx;
    int m_heightPx;
    WorldWindow m_window;
    Colour m_colour = 0;
    int m_penWidthPx = 1;
    PenStyle m_style = PenStyle::Solid;
    PenMode m_mode = PenMode::Copy;
    std::vector<Primitive> m_primitives;
};

}  // namespace talmir::graphic
