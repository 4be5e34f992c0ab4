#pragma once
// The one canvas that puts the plot on real pixels: a QPainter on the window's
// surface, a printer page, or an image. Every point is drawn at the whole pixel
// that holds it, as the plot's own batching assumes; pens are cosmetic (widths
// in pixels at any scale) with round caps and joins, antialiasing off. A
// polyline is drawn as its separate lines, so it covers the same pixels. On a
// 32-bit image, one-pixel solid lines and points go straight into its pixels
// (the same pixels the painter lights).

#include "core/graphic/Canvas.h"
#include "render/PixelPen.h"

#include <QColor>
#include <QLineF>
#include <QList>
#include <QPolygonF>

#include <optional>

class QPainter;

namespace talmir {

class QPainterCanvas : public graphic::Canvas {
public:
    // `painter` is active on a device of widthPx x heightPx pixels.
    QPainterCanvas(QPainter& painter, int widthPx, int heightPx);
    ~QPainterCanvas() override;  // draws what is still held back

    int widthPx() const override { return m_widthPx; }
    int heightPx() const override { return m_heightPx; }
    void setWorldWindow(const graphic::WorldWindow& window) override { m_window = window; }
    void clear(graphic::Colour background) override;
    void setPen(graphic::Colour colour, int widthPx, graphic::PenStyle style) override;
    void setMode(graphic::PenMode mode) override;
    void line(graphic::WorldPoint from, graphic::WorldPoint to) override;
    void polyline(std::span<const graphic::WorldPoint> points) override;
    void circle(graphic::WorldPoint centre, double radius) override;
    void arc(graphic::WorldPoint centre, double radius, double fromRad, double toRad) override;
    void pixel(graphic::WorldPoint at) override;
    void text(graphic::WorldPoint at, std::string_view utf8) override;
    double textLineHeight() const override;
    void flush() override;

    // 0x00BBGGRR as a Qt colour.
    static QColor toQColor(graphic::Colour colour);
    static graphic::Colour fromQColor(const QColor& colour);

private:
    QPointF toPixel(graphic::WorldPoint p) const;
    // Draws the pixel path, clipping pieces that reach far off the surface
    // (the rasteriser is not made for coordinates in the billions).
    void drawPixelPath(const QPolygonF& path);
    bool farOff(const QPointF& p) const;
    void drawLine(const QLineF& line);
    void drawPoint(const QPointF& p);

    QPainter& m_painter;
    int m_widthPx;
    int m_heightPx;
    graphic::WorldWindow m_window;
    bool m_raster = false;    // an image or a screen: arcs as chords
    bool m_batching = false;  // lines and points of one pen wait for one call
    // The image's own pixels, when the painter draws on nothing but them: a
    // 32-bit image, no transform, no clip, full opacity.
    std::optional<PixelPen> m_pixelPen;
    bool m_penOnPixels = false;  // the pen in use is one PixelPen draws
    QPolygonF m_path;
    QList<QLineF> m_lines;  // waiting lines
    QPolygonF m_points;     // waiting pixels
};

}  // namespace talmir
