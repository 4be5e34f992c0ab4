#pragma once
// The drawing surface the plot is drawn on, in world coordinates (millimetres,
// Y upward). One QPainter-backed canvas serves the screen, the printer and saved
// images; tests use a recorder. Calls are per primitive, never per pixel.

#include <cstdint>
#include <span>
#include <string_view>

namespace talmir::graphic {

// A colour in the 0x00BBGGRR form the colour table and "LAYER.RGB" hold.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0;
inline constexpr Colour kRed = 255;
inline constexpr Colour kWhite = 16777215;

enum class PenStyle { Solid, DashDot };

// Copy draws the colour; NotXor inverts what it covers, so drawing a figure
// twice erases it (the rubber band).
enum class PenMode { Copy, NotXor };

struct WorldPoint {
    double x = 0;
    double y = 0;
};

// The world window shown: (left, top) is the surface's top-left corner and
// (right, bottom) its bottom-right one. A point maps to the pixel whose cell
// holds it: column floor((x - left) * pixels / width), the same for rows.
struct WorldWindow {
    double left = 0;
    double right = 1;
    double top = 1;
    double bottom = 0;
    int widthPx = 1;
    int heightPx = 1;

    double pixelsPerUnitX() const { return widthPx / (right - left); }
    double pixelsPerUnitY() const { return heightPx / (top - bottom); }
    // Pixel coordinates (fractional) of a world point, and back.
    double toPixelX(double x) const { return (x - left) * pixelsPerUnitX(); }
    double toPixelY(double y) const { return (top - y) * pixelsPerUnitY(); }
    double toWorldX(double px) const { return left + px / pixelsPerUnitX(); }
    double toWorldY(double py) const { return top - py / pixelsPerUnitY(); }
    // Strictly inside, as the pick list wants it.
    bool strictlyInside(double x, double y) const {
        return x > left && x < right && y < top && y > bottom;
    }
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Size of the surface in pixels.
    virtual int widthPx() const = 0;
    virtual int heightPx() const = 0;

    // Sets the user scale: the world window the following calls draw in.
    virtual void setWorldWindow(const WorldWindow& window) = 0;
    virtual void clear(Colour background) = 0;
    // Pen width in pixels, whatever the scale.
    virtual void setPen(Colour colour, int widthPx, PenStyle style) = 0;
    virtual void setMode(PenMode mode) = 0;

    virtual void line(WorldPoint from, WorldPoint to) = 0;
    // Joined lines through the points; the same pixels as the lines one by one.
    virtual void polyline(std::span<const WorldPoint> points) = 0;
    virtual void circle(WorldPoint centre, double radius) = 0;
    // Counter-clockwise from `fromRad` to `toRad` (radians, 0 along +X). Equal
    // angles draw the whole circle.
    virtual void arc(WorldPoint centre, double radius, double fromRad, double toRad) = 0;
    virtual void pixel(WorldPoint at) = 0;
    // UTF-8 text with its top-left corner at `at`.
    virtual void text(WorldPoint at, std::string_view utf8) = 0;
    // Height of a text line in world units (labels stack their lines with it).
    virtual double textLineHeight() const = 0;
    // Draws whatever the canvas may still hold back to draw in fewer calls;
    // GrSub calls it when it is done.
    virtual void flush() {}
};

}  // namespace talmir::graphic
