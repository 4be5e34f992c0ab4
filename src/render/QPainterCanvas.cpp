#include "render/QPainterCanvas.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace talmir {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Beyond this many pixels off the surface a piece is clipped before drawing.
constexpr double kFarOffPx = 100000;
// Arcs larger than this many pixels in radius are drawn as chords.
constexpr double kLargeRadiusPx = 20000;

// Liang-Barsky: the part of a-b inside the box, if any.
std::optional<QLineF> clipped(QPointF a, QPointF b, double lo, double hiX, double hiY) {
    double t0 = 0;
    double t1 = 1;
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - lo, hiX - a.x(), a.y() - lo, hiY - a.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) {
                return std::nullopt;
            }
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return std::nullopt;
        }
    }
    return QLineF(std::floor(a.x() + t0 * dx), std::floor(a.y() + t0 * dy),
                  std::floor(a.x() + t1 * dx), std::floor(a.y() + t1 * dy));
}

// The pixels of the image the painter draws on, when a pixel of the canvas is
// a pixel of that image and nothing stands between them.
std::optional<PixelPen> pixelsOf(QPainter& painter) {
    QPaintDevice* device = painter.device();
    if (painter.paintEngine() == nullptr || painter.paintEngine()->type() != QPaintEngine::Raster ||
        device == nullptr || device->devType() != QInternal::Image) {
        return std::nullopt;
    }
    auto* image = static_cast<QImage*>(device);
    const bool plain = (image->format() == QImage::Format_RGB32 ||
                        image->format() == QImage::Format_ARGB32_Premultiplied) &&
                       image->devicePixelRatio() == 1 && image->isDetached() &&
                       painter.deviceTransform().isIdentity() && !painter.hasClipping() &&
                       painter.opacity() == 1;
    if (!plain) {
        return std::nullopt;
    }
    // bits() of an image that is not shared is the buffer the painter draws in.
    return PixelPen(reinterpret_cast<std::uint32_t*>(image->bits()),
                    static_cast<int>(image->bytesPerLine() / 4), image->width(), image->height());
}

}  // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter, int widthPx, int heightPx)
    : m_painter(painter), m_widthPx(widthPx), m_heightPx(heightPx) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBrush(Qt::NoBrush);
    m_raster = m_painter.paintEngine() != nullptr &&
               m_painter.paintEngine()->type() == QPaintEngine::Raster;
    m_batching = m_raster;
    m_pixelPen = pixelsOf(m_painter);
}

QPainterCanvas::~QPainterCanvas() {
    flush();
}

void QPainterCanvas::flush() {
    if (!m_lines.isEmpty()) {
        m_painter.drawLines(m_lines);
        m_lines.clear();
    }
    if (!m_points.isEmpty()) {
        m_painter.drawPoints(m_points);
        m_points.clear();
    }
}

QColor QPainterCanvas::toQColor(graphic::Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

graphic::Colour QPainterCanvas::fromQColor(const QColor& colour) {
    return static_cast<graphic::Colour>(colour.red()) |
           (static_cast<graphic::Colour>(colour.green()) << 8) |
           (static_cast<graphic::Colour>(colour.blue()) << 16);
}

void QPainterCanvas::clear(graphic::Colour background) {
    flush();
    const QPainter::CompositionMode mode = m_painter.compositionMode();
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.fillRect(0, 0, m_widthPx, m_heightPx, toQColor(background));
    m_painter.setCompositionMode(mode);
}

void QPainterCanvas::setPen(graphic::Colour colour, int widthPx, graphic::PenStyle style) {
    flush();
    QPen pen(toQColor(colour));
    pen.setCosmetic(true);
    pen.setWidth(std::max(1, widthPx));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setStyle(style == graphic::PenStyle::DashDot ? Qt::DashDotLine : Qt::SolidLine);
    m_painter.setPen(pen);
    m_penOnPixels = m_pixelPen && widthPx <= 1 && style == graphic::PenStyle::Solid &&
                    m_painter.compositionMode() == QPainter::CompositionMode_SourceOver;
    if (m_pixelPen) {
        m_pixelPen->setColour(toQColor(colour).rgba());
    }
}

void QPainterCanvas::setMode(graphic::PenMode mode) {
    // Raster operations exist on images and screens only; a PDF or printer page
    // keeps the plain mode.
    flush();
    const bool raster = m_painter.paintEngine() != nullptr &&
                        m_painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    // Inverting lines are drawn one call at a time: each must invert what the
    // one before it left.
    m_batching = m_raster && mode == graphic::PenMode::Copy;
    if (mode == graphic::PenMode::NotXor && raster) {
        m_painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        m_penOnPixels = false;
    } else {
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        // The pen chosen before keeps its colour and width.
        m_penOnPixels =
            m_pixelPen && m_painter.pen().width() <= 1 && m_painter.pen().style() == Qt::SolidLine;
    }
}

void QPainterCanvas::drawLine(const QLineF& line) {
    if (m_penOnPixels) {
        m_pixelPen->line(line.x1(), line.y1(), line.x2(), line.y2());
    } else {
        m_lines.append(line);
    }
}

void QPainterCanvas::drawPoint(const QPointF& p) {
    if (m_penOnPixels) {
        m_pixelPen->point(static_cast<int>(p.x()), static_cast<int>(p.y()));
    } else {
        m_points.append(p);
    }
}

QPointF QPainterCanvas::toPixel(graphic::WorldPoint p) const {
    return {std::floor(m_window.toPixelX(p.x)), std::floor(m_window.toPixelY(p.y))};
}

bool QPainterCanvas::farOff(const QPointF& p) const {
    return !(p.x() > -kFarOffPx && p.x() < m_widthPx + kFarOffPx && p.y() > -kFarOffPx &&
             p.y() < m_heightPx + kFarOffPx);
}

void QPainterCanvas::drawPixelPath(const QPolygonF& path) {
    if (path.isEmpty()) {
        return;
    }
    // A path that stays in one pixel shows as that pixel.
    const bool onePixel =
        std::all_of(path.begin(), path.end(), [&](const QPointF& p) { return p == path.front(); });
    if (onePixel) {
        if (!farOff(path.front())) {
            drawPoint(path.front());
        }
        if (!m_batching) {
            flush();
        }
        return;
    }
    // Separate lines, not a polyline: the rasteriser treats a polyline's corners
    // its own way, and a run must give the very pixels of its lines drawn one by
    // one. Lines of one pen wait and go out in one call.
    for (qsizetype k = 1; k < path.size(); ++k) {
        const QPointF& a = path[k - 1];
        const QPointF& b = path[k];
        if (!farOff(a) && !farOff(b)) {
            drawLine(QLineF(a, b));
        } else if (const auto piece =
                       clipped(a, b, -kFarOffPx, m_widthPx + kFarOffPx, m_heightPx + kFarOffPx)) {
            drawLine(*piece);
        }
    }
    if (!m_batching) {
        flush();
    }
}

void QPainterCanvas::line(graphic::WorldPoint from, graphic::WorldPoint to) {
    const graphic::WorldPoint both[] = {from, to};
    polyline(both);
}

void QPainterCanvas::polyline(std::span<const graphic::WorldPoint> points) {
    m_path.clear();
    for (const graphic::WorldPoint& p : points) {
        const QPointF q = toPixel(p);
        if (m_path.isEmpty() || m_path.back() != q) {
            m_path.append(q);
        }
    }
    drawPixelPath(m_path);
}

void QPainterCanvas::circle(graphic::WorldPoint centre, double radius) {
    arc(centre, radius, 0, 0);
}

void QPainterCanvas::arc(graphic::WorldPoint centre, double radius, double fromRad, double toRad) {
    const QPointF c = toPixel(centre);
    const double r = radius * m_window.pixelsPerUnitX();
    if (!std::isfinite(r) || !std::isfinite(c.x()) || !std::isfinite(c.y()) || r < 0) {
        return;
    }
    double span = toRad - fromRad;
    if (span <= 0) {
        span += kTwoPi;
    }
    // A PDF or a printer gets true arcs. On pixels an arc is drawn as chords
    // whose bulge stays under a quarter pixel, which shows the same curve at a
    // fraction of the cost of the platform's arcs, and serves huge radii too.
    if (!m_raster && r < kLargeRadiusPx && !farOff(c)) {
        flush();
        const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
        if (span >= kTwoPi) {
            m_painter.drawEllipse(box);
        } else {
            m_painter.drawArc(box,
                              static_cast<int>(std::lround(fromRad * 180 / std::numbers::pi * 16)),
                              static_cast<int>(std::lround(span * 180 / std::numbers::pi * 16)));
        }
        return;
    }
    const double chords = std::ceil(span / std::max(std::sqrt(2 / std::max(r, 1e-9)), span / 1e6));
    const double step = span / std::max(1.0, chords);
    m_path.clear();
    for (double k = 0; k <= chords; ++k) {
        const double t = fromRad + k * step;
        const QPointF q(std::floor(c.x() + r * std::cos(t)), std::floor(c.y() - r * std::sin(t)));
        if (m_path.isEmpty() || m_path.back() != q) {
            m_path.append(q);
        }
    }
    drawPixelPath(m_path);
}

void QPainterCanvas::pixel(graphic::WorldPoint at) {
    const QPointF p = toPixel(at);
    if (!farOff(p)) {
        drawPoint(p);
    }
    if (!m_batching) {
        flush();
    }
}

void QPainterCanvas::text(graphic::WorldPoint at, std::string_view utf8) {
    flush();
    const QPointF p = toPixel(at);
    if (farOff(p)) {
        return;
    }
    const QFontMetricsF metrics(m_painter.font());
    m_painter.drawText(QPointF(p.x(), p.y() + metrics.ascent()),
                       QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

double QPainterCanvas::textLineHeight() const {
    return QFontMetricsF(m_painter.font()).height() / m_window.pixelsPerUnitY();
}

}  // namespace talmir
