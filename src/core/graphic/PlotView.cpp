#include "core/graphic/PlotView.h"

#include "core/graphic/ArcAngles.h"
#include "core/text/NumberPicture.h"

#include <cmath>
#include <numbers>

namespace talmir::graphic {

namespace {

// Running bounds of the fit.
struct Bounds {
    bool any = false;
    float left = 0;
    float right = 0;
    float top = 0;
    float bottom = 0;

    void take(float x, float y) {
        if (!std::isfinite(x) || !std::isfinite(y)) {
            return;
        }
        if (!any) {
            left = right = x;
            top = bottom = y;
            any = true;
            return;
        }
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
};

// The arc record `r` drawn from the point of `p`, as the plot draws it: centre
// p + (I, J), counter-clockwise from the "from" to the "to" angle (a full circle when
// they meet). Its end point is taken elsewhere; this takes each quarter point
// (rightmost, top, leftmost, bottom) the sweep passes.
void takeArcExtent(Bounds& b, const PathRow& p, const PathRow& r) {
    constexpr double pi = std::numbers::pi;
    const double cx = double{p.x} + r.i;
    const double cy = double{p.y} + r.j;
    const double radius = std::hypot(double{r.i}, double{r.j});
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius)) {
        return;
    }
    const double start = arcStartAngle(r.i, r.j);
    const double end = arcEndAngle(r.x - cx, r.y - cy);
    const double from = r.g == 2 ? end : start;
    double span = (r.g == 2 ? start : end) - from;
    if (span <= 0) {
        span += 2 * pi;
    }
    // "from" lies in (0, 2 pi], so the sweep ends before 4 pi: two turns of quarters.
    for (int quarter = 0; quarter <= 8; ++quarter) {
        const double angle = quarter * (pi / 2);
        if (angle >= from && angle <= from + span) {
            const double cosine = quarter % 2 == 1 ? 0 : (quarter % 4 == 0 ? 1 : -1);
            const double sine = quarter % 2 == 0 ? 0 : (quarter % 4 == 1 ? 1 : -1);
            b.take(static_cast<float>(cx + radius * cosine),
                   static_cast<float>(cy + radius * sine));
        }
    }
}

// The radius a hole is drawn with: half the diameter of its size layer.
float holeRadius(const PlotTables& tables, const HoleRow& h) {
    const float index = std::nearbyint(h.sizeLayer);
    if (!(index >= 0 && index < kScannedLayers)) {
        return 0;
    }
    const float radius = tables.layers[static_cast<std::size_t>(index)].width / 2.0f;
    return std::isfinite(radius) ? std::fabs(radius) : 0;
}

}  // namespace

void fitView(PlotView& view, const PlotTables& tables) {
    Bounds b;
    // Every hole row is a hole, the first one too.
    for (int k = 0; k <= tables.HoleCount; ++k) {
        const HoleRow& h = tables.holes[static_cast<std::size_t>(k)];
        const float radius = holeRadius(tables, h);
        b.take(h.x - radius, h.y - radius);
        b.take(h.x + radius, h.y + radius);
    }
    // Path row 0 is normally the layer-change record of the first section line,
    // which carries whatever last point earlier work left behind; it counts only
    // when the program has nothing else.
    const bool anyHole = b.any;
    for (int k = 1; k <= tables.PathCount; ++k) {
        const PathRow& r = tables.paths[static_cast<std::size_t>(k)];
        b.take(r.x, r.y);
        if (r.g == 2 || r.g == 3) {
            takeArcExtent(b, tables.paths[static_cast<std::size_t>(k - 1)], r);
        }
    }
    if (tables.PathCount == 0 && !anyHole) {
        b.take(tables.paths[0].x, tables.paths[0].y);
    }
    if (b.any) {
        view.ViewLeft = b.left;
        view.ViewRight = b.right;
        view.ViewTop = b.top;
        view.ViewBottom = b.bottom;
    }
    view.ViewLeft -= 5;
    view.ViewRight += 5;
    view.ViewTop += 5;
    view.ViewBottom -= 5;
    view.ViewWidth = view.ViewRight - view.ViewLeft;
    view.ViewCentreX = view.ViewLeft + view.ViewWidth / 2;
    view.ViewHeight = view.ViewTop - view.ViewBottom;
    view.ViewCentreY = view.ViewTop - view.ViewHeight / 2;
    view.ChordStep = 3;
}

std::optional<WorldWindow> worldWindow(const PlotView& view, int widthPx, int heightPx) {
    const double w = widthPx;
    const double h = heightPx;
    const double vw = view.ViewWidth;
    const double vh = view.ViewHeight;
    if (widthPx <= 0 || heightPx <= 0 || !(vw > 0) || !(vh > 0) || !std::isfinite(vw) ||
        !std::isfinite(vh)) {
        return std::nullopt;
    }
    WorldWindow win;
    win.widthPx = widthPx;
    win.heightPx = heightPx;
    if (w / vw >= h / vh) {
        win.top = view.ViewTop;
        win.bottom = view.ViewBottom;
        const double half = vh / 2 * (w / h);
        win.left = view.ViewCentreX - half;
        win.right = view.ViewCentreX + half;
    } else {
        win.left = view.ViewLeft;
        win.right = view.ViewRight;
        const double half = vw / 2 * (h / w);
        win.top = view.ViewCentreY + half;
        win.bottom = view.ViewCentreY - half;
    }
    if (!std::isfinite(win.left) || !std::isfinite(win.right) || !std::isfinite(win.top) ||
        !std::isfinite(win.bottom) || !(win.right > win.left) || !(win.top > win.bottom)) {
        return std::nullopt;
    }
    return win;
}

void boundsFromCentre(PlotView& view) {
    view.ViewLeft = view.ViewCentreX - view.ViewWidth / 2;
    view.ViewRight = view.ViewCentreX + view.ViewWidth / 2;
    view.ViewTop = view.ViewCentreY + view.ViewHeight / 2;
    view.ViewBottom = view.ViewCentreY - view.ViewHeight / 2;
}

namespace {

bool mayZoomIn(const PlotView& view) {
    return view.ChordStep > 0.01f && view.ViewWidth > 2;
}

void scaleView(PlotView& view, float factor) {
    view.ViewWidth *= factor;
    view.ViewHeight *= factor;
    view.ChordStep *= factor;
    boundsFromCentre(view);
}

}  // namespace

bool zoomIn(PlotView& view) {
    if (!mayZoomIn(view)) {
        return false;
    }
    view.ViewWidth /= 2;
    view.ViewHeight /= 2;
    view.ChordStep /= 2;
    boundsFromCentre(view);
    return true;
}

void zoomOut(PlotView& view) {
    scaleView(view, 2);
}

bool wheelStep(PlotView& view, int direction) {
    if (direction >= 0) {
        if (!mayZoomIn(view)) {
            return false;
        }
        scaleView(view, 0.8f);
        return true;
    }
    scaleView(view, 1.2f);
    return true;
}

void pan(PlotView& view, PanDirection direction) {
    const float dy = 0.3f * view.ViewHeight;
    const float dx = 0.3f * view.ViewWidth;
    switch (direction) {
        case PanDirection::Up:
            view.ViewCentreY += dy;
            view.ViewTop += dy;
            view.ViewBottom += dy;
            break;
        case PanDirection::Down:
            view.ViewCentreY -= dy;
            view.ViewTop -= dy;
            view.ViewBottom -= dy;
            break;
        case PanDirection::Left:
            view.ViewCentreX -= dx;
            view.ViewLeft -= dx;
            view.ViewRight -= dx;
            break;
        case PanDirection::Right:
            view.ViewCentreX += dx;
            view.ViewLeft += dx;
            view.ViewRight += dx;
            break;
    }
}

void centreOn(PlotView& view, float x, float y) {
    const float dx = x - view.ViewCentreX;
    const float dy = y - view.ViewCentreY;
    view.ViewLeft += dx;
    view.ViewRight += dx;
    view.ViewTop += dy;
    view.ViewBottom += dy;
    view.ViewCentreX = x;
    view.ViewCentreY = y;
}

bool viewCommand(PlotView& view, const PlotTables& tables, int command) {
    switch (command) {
        case 1:
            fitView(view, tables);
            return true;
        case 2:
            return zoomIn(view);
        case 3:
            zoomOut(view);
            return true;
        case 4:
            pan(view, PanDirection::Up);
            return true;
        case 5:
            pan(view, PanDirection::Down);
            return true;
        case 6:
            pan(view, PanDirection::Left);
            return true;
        case 7:
            pan(view, PanDirection::Right);
            return true;
        default:
            return false;
    }
}

std::optional<int> snapToPick(const PickList& picks, double x, double y, float chordStep) {
    const double step = chordStep;
    std::optional<int> best;
    double bestDistance = step;  // a row must be strictly nearer than this
    for (int k = 1; k <= picks.PickCount; ++k) {
        const PickRow& row = picks.row(k);
        const double dx = row.x - x;
        const double dy = row.y - y;
        if (!(std::abs(dx) < step && std::abs(dy) < step)) {
            continue;
        }
        const double distance = std::sqrt(dx * dx + dy * dy);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = k;
        }
    }
    return best;
}

SegmentMeasure measureSegment(double fromX, double fromY, double toX, double toY) {
    SegmentMeasure m;
    m.dx = toX - fromX;
    m.dy = toY - fromY;
    m.midX = toX - m.dx / 2;
    m.midY = toY - m.dy / 2;
    m.length = std::sqrt(m.dx * m.dx + m.dy * m.dy);
    m.angleDeg = m.dx == 0 ? 90.0 : std::atan(m.dy / m.dx) * 180 / 3.141592654;
    return m;
}

std::string cursorLabel(double x, double y) {
    const text::NumberPicture picture("###0.0###");
    std::string out = "X";
    picture.append(out, x);
    out += " Y";
    picture.append(out, y);
    return out;
}

}  // namespace talmir::graphic
