#pragma once
// Lines and points one pixel wide, solid and opaque, written straight into the
// pixels of a 32-bit image: the plot's most common primitive, drawn without the
// painter's per-call costs. Each line lights exactly the pixels the raster
// engine lights for a cosmetic one-pixel pen with caps and no antialiasing, so
// an image drawn this way is the image the painter would draw.

#include <cstddef>
#include <cstdint>

namespace talmir {

class PixelPen {
public:
    // `pixels` is the first row of a widthPx x heightPx image with `pixelsPerRow`
    // 32-bit pixels a row.
    PixelPen(std::uint32_t* pixels, int pixelsPerRow, int widthPx, int heightPx)
        : m_pixels(pixels),
          m_pixelsPerRow(pixelsPerRow),
          m_widthPx(widthPx),
          m_heightPx(heightPx) {}

    // The colour as the image stores it (0xAARRGGBB, opaque).
    void setColour(std::uint32_t argb) { m_colour = argb; }

    // The line between two points in pixel coordinates (fractions allowed, any
    // distance off the image): the cells it crosses, both end cells included. A
    // line of no length is the point at its end.
    void line(double x1, double y1, double x2, double y2);
    // The pixel at whole coordinates, when it is on the image.
    void point(int x, int y) {
        if (x >= 0 && x < m_widthPx && y >= 0 && y < m_heightPx) {
            m_pixels[static_cast<std::ptrdiff_t>(y) * m_pixelsPerRow + x] = m_colour;
        }
    }

private:
    // Cuts the line to the image and a pixel around it; false when nothing is left.
    bool clipToImage(double& x1, double& y1, double& x2, double& y2) const;

    std::uint32_t* m_pixels;
    int m_pixelsPerRow;
    int m_widthPx;
    int m_heightPx;
    std::uint32_t m_colour = 0xFF000000;
};

}  // namespace talmir
