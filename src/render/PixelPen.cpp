#include "render/PixelPen.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace talmir {

namespace {

// The raster engine steps along a line in fixed point: positions in 1/64 pixel
// (26.6), the slope and the running cross position in 1/65536 pixel (16.16).
int toSixtyFourths(double v) {
    return static_cast<int>(v * 64.);
}

int slope16(int across, int along) {
    return static_cast<int>((static_cast<std::int64_t>(across) * 65536) / along);
}

// One line along its main axis: `a` runs over the pixel rows (or columns)
// from a1 to a2 (a1 <= a2, in 1/64), `b` is the cross coordinate at a1 (1/64).
// The caps reach half a pixel past either end, so both end cells are lit.
template <typename Plot>
void step(int a1, int a2, int b1, int b2, Plot plot) {
    const int inc = slope16(b2 - b1, a2 - a1);
    int b = b1 * 1024 - (inc >> 1);
    a1 -= 32;
    a2 += 32;
    int a = (a1 + 32) >> 6;
    const int end = (a2 + 32) >> 6;
    if (a == end) {
        return;
    }
    b += ((a * 64 + (inc > 0 ? 32 : 0) - a1) * inc) >> 6;
    do {
        plot(a, b >> 16);
        b += inc;
    } while (++a < end);
}

// Cuts the line where its `a` coordinate leaves [low, high], moving `b` along;
// false when the line lies wholly outside.
bool clipAxis(double& a1, double& b1, double& a2, double& b2, double low, double high) {
    if (a1 < low) {
        if (a2 <= low) {
            return false;
        }
        b1 += (b2 - b1) / (a2 - a1) * (low - a1);
        a1 = low;
    } else if (a1 > high) {
        if (a2 >= high) {
            return false;
        }
        b1 += (b2 - b1) / (a2 - a1) * (high - a1);
        a1 = high;
    }
    if (a2 < low) {
        b2 += (b2 - b1) / (a2 - a1) * (low - a2);
        a2 = low;
    } else if (a2 > high) {
        b2 += (b2 - b1) / (a2 - a1) * (high - a2);
        a2 = high;
    }
    return true;
}

}  // namespace

bool PixelPen::clipToImage(double& x1, double& y1, double& x2, double& y2) const {
    // In floating point, before the fixed-point steps could overflow; the
    // arithmetic is the raster engine's, so the cut ends land where its do.
    return clipAxis(x1, y1, x2, y2, -1, m_widthPx + 1) &&
           clipAxis(y1, x1, y2, x2, -1, m_heightPx + 1);
}

void PixelPen::line(double x1, double y1, double x2, double y2) {
    if (x1 == x2 && y1 == y2) {
        if (std::isfinite(x1) && std::isfinite(y1) && std::abs(x1) < 1e9 && std::abs(y1) < 1e9) {
            point(static_cast<int>(std::lround(x1)), static_cast<int>(std::lround(y1)));
        }
        return;
    }
    // Most lines lie within the image and the pixel around it, where the cut
    // changes nothing (and a number that is not finite lies nowhere).
    auto within = [](double v, int size) { return v >= -1 && v <= size + 1; };
    const bool inside = within(x1, m_widthPx) && within(x2, m_widthPx) && within(y1, m_heightPx) &&
                        within(y2, m_heightPx);
    if (!inside && (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) ||
                    !std::isfinite(y2) || !clipToImage(x1, y1, x2, y2))) {
        return;
    }
    int ax = toSixtyFourths(x1);
    int ay = toSixtyFourths(y1);
    int bx = toSixtyFourths(x2);
    int by = toSixtyFourths(y2);
    if (std::abs(bx - ax) < std::abs(by - ay)) {
        if (ay > by) {
            std::swap(ax, bx);
            std::swap(ay, by);
        }
        step(ay, by, ax, bx, [this](int y, int x) { point(x, y); });
    } else if (ax != bx) {
        if (ax > bx) {
            std::swap(ax, bx);
            std::swap(ay, by);
        }
        step(ax, bx, ay, by, [this](int x, int y) { point(x, y); });
    }
}

}  // namespace talmir
