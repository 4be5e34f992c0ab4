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

}  // namespace

bool PixelPen::clipToImage(double& x1, double& y1, double& x2, double& y2) const {
    // In floating point, before the fixed-point steps could overflow; the
    // arithmetic is the raster engine's, so the cut ends land where its do.
    const double xmin = -1;
    const double xmax = m_widthPx + 1;
    const double ymin = -1;
    const double ymax = m_heightPx + 1;
    if (x1 < xmin) {
        if (x2 <= xmin) {
            return false;
        }
        y1 += (y2 - y1) / (x2 - x1) * (xmin - x1);
        x1 = xmin;
    } else if (x1 > xmax) {
        if (x2 >= xmax) {
            return false;
        }
        y1 += (y2 - y1) / (x2 - x1) * (xmax - x1);
        x1 = xmax;
    }
    if (x2 < xmin) {
        y2 += (y2 - y1) / (x2 - x1) * (xmin - x2);
        x2 = xmin;
    } else if (x2 > xmax) {
        y2 += (y2 - y1) / (x2 - x1) * (xmax - x2);
        x2 = xmax;
    }
    if (y1 < ymin) {
        if (y2 <= ymin) {
            return false;
        }
        x1 += (x2 - x1) / (y2 - y1) * (ymin - y1);
        y1 = ymin;
    } else if (y1 > ymax) {
        if (y2 >= ymax) {
            return false;
        }
        x1 += (x2 - x1) / (y2 - y1) * (ymax - y1);
        y1 = ymax;
    }
    if (y2 < ymin) {
        x2 += (x2 - x1) / (y2 - y1) * (ymin - y2);
        y2 = ymin;
    } else if (y2 > ymax) {
        x2 += (x2 - x1) / (y2 - y1) * (ymax - y2);
        y2 = ymax;
    }
    return true;
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
