#include "core/graphic/GrSub.h"

#include "core/graphic/ArcAngles.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace talmir::graphic {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

bool finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

// Passes lines to the canvas, skipping what cannot show: lines wholly off the
// surface, and the points of a run of lines that fall into the pixel the
// previous point fell into. The canvas draws every point at the pixel holding
// it, so dropping such a point leaves the same pixels. Runs of solid lines of
// one pen go out as one polyline call.
class LineBatch {
public:
    LineBatch(Canvas& canvas, const WorldWindow& window) : m_canvas(canvas), m_window(window) {
        m_run.reserve(4096);
    }
    ~LineBatch() { flush(); }

    void setPen(Colour colour, int widthPx, PenStyle style) {
        if (m_penSet && colour == m_colour && widthPx == m_widthPx && style == m_style) {
            return;
        }
        flush();
        m_canvas.setPen(colour, widthPx, style);
        m_penSet = true;
        m_colour = colour;
        m_widthPx = widthPx;
        m_style = style;
    }

    void segment(WorldPoint a, WorldPoint b) {
        if (!mayShow(a, b)) {
            return;
        }
        if (m_style != PenStyle::Solid) {
            m_canvas.line(a, b);  // a dash pattern starts afresh on each line
            return;
        }
        if (m_run.empty() || a.x != m_runEnd.x || a.y != m_runEnd.y) {
            flush();
            m_run.push_back(a);
            m_lastColumn = column(a);
            m_lastRow = row(a);
        }
        m_runEnd = b;
        const double c = column(b);
        const double r = row(b);
        if (c != m_lastColumn || r != m_lastRow) {
            m_run.push_back(b);
            m_lastColumn = c;
            m_lastRow = r;
        }
    }

    void flush() {
        if (!m_run.empty()) {
            m_canvas.polyline(m_run);
            m_run.clear();
        }
    }

    bool mayShowBox(double minX, double minY, double maxX, double maxY) const {
        const double margin = 4 + m_widthPx;
        const double left = m_window.toPixelX(minX);
        const double right = m_window.toPixelX(maxX);
        const double top = m_window.toPixelY(maxY);
        const double bottom = m_window.toPixelY(minY);
        return right >= -margin && left <= m_window.widthPx + margin && bottom >= -margin &&
               top <= m_window.heightPx + margin;
    }

private:
    bool mayShow(WorldPoint a, WorldPoint b) const {
        return mayShowBox(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                          std::max(a.y, b.y));
    }
    double column(WorldPoint p) const { return std::floor(m_window.toPixelX(p.x)); }
    double row(WorldPoint p) const { return std::floor(m_window.toPixelY(p.y)); }

    Canvas& m_canvas;
    const WorldWindow& m_window;
    std::vector<WorldPoint> m_run;
    WorldPoint m_runEnd;
    double m_lastColumn = 0;
    double m_lastRow = 0;
    bool m_penSet = false;
    Colour m_colour = 0;
    int m_widthPx = 1;
    PenStyle m_style = PenStyle::Solid;
};

class Plotter {
public:
    Plotter(Canvas& canvas, const WorldWindow& window, const PlotTables& tables,
            const ColourTable& colours, const PlotView& view, const DrawOptions& options,
            PickList& picks)
        : m_canvas(canvas),
          m_window(window),
          m_tables(tables),
          m_colours(colours),
          m_view(view),
          m_options(options),
          m_picks(picks),
          m_batch(canvas, window) {}

    void referenceLines();
    // Both return false when a layer index outside the table ended the redraw.
    bool paths();
    bool holes();

private:
    // The layer of a row, rounded half to even as an index; -1 when it is not one
    // of the 256 drawable layers.
    static int layerIndex(float value) {
        const float index = std::nearbyint(value);
        return index >= 0 && index < kScannedLayers ? static_cast<int>(index) : -1;
    }
    Colour colourOf(int layer) const {
        return m_options.printPreview && m_options.blackInk ? kBlack : m_colours.layer(layer);
    }
    void maybeYield(int index) const {
        if (index % 100 == 0 && m_options.yield && m_options.CommandState < 9000) {
            m_options.yield();
        }
    }
    void pick(float kind, double x, double y, double a, double b) {
        m_picks.append({kind, static_cast<float>(x), static_cast<float>(y), static_cast<float>(a),
                        static_cast<float>(b)});
    }
    void circle(WorldPoint centre, double radius) {
        if (m_batch.mayShowBox(centre.x - radius, centre.y - radius, centre.x + radius,
                               centre.y + radius)) {
            m_canvas.circle(centre, radius);
        }
    }
    void pixel(WorldPoint at) {
        if (m_batch.mayShowBox(at.x, at.y, at.x, at.y)) {
            m_canvas.pixel(at);
        }
    }
    void record(int index, const PathRow& row, WorldPoint p, int layer, bool picked);
    void track(WorldPoint p, WorldPoint e, double r);
    void arcRecord(int index, const PathRow& row, WorldPoint p, double r, Colour colour,
                   bool picked);
    void arc(WorldPoint c, double radius, double from, double to, WorldPoint p, bool picked);
    void arcAsLines(WorldPoint c, double radius, double from, double to);

    Canvas& m_canvas;
    const WorldWindow& m_window;
    const PlotTables& m_tables;
    const ColourTable& m_colours;
    const PlotView& m_view;
    const DrawOptions& m_options;
    PickList& m_picks;
    LineBatch m_batch;
    std::vector<WorldPoint> m_points;
};

void Plotter::referenceLines() {
    m_batch.setPen(kRed, 1, PenStyle::DashDot);
    m_batch.segment({m_window.left, 0}, {m_window.right, 0});
    m_batch.segment({0, m_window.top}, {0, m_window.bottom});
    m_batch.setPen(kRed, 1, PenStyle::Solid);
}

bool Plotter::paths() {
    WorldPoint p{0, 0};
    for (int i = 0; i <= m_tables.PathCount; ++i) {
        maybeYield(i);
        const PathRow& row = m_tables.paths[static_cast<std::size_t>(i)];
        if (!finite(row.x, row.y)) {
            continue;  // no place to draw it or to move the pen to
        }
        const int layer = layerIndex(row.layer);
        if (layer < 0) {
            return false;
        }
        const WorldPoint e{row.x, row.y};
        if (m_tables.layers[static_cast<std::size_t>(layer)].visible) {
            record(i, row, p, layer, m_window.strictlyInside(e.x, e.y));
        }
        p = e;
    }
    return true;
}

void Plotter::record(int index, const PathRow& row, WorldPoint p, int layer, bool picked) {
    const double r = m_tables.layers[static_cast<std::size_t>(layer)].width / 2.0f;
    const Colour colour = colourOf(layer);
    const int width = row.mark > 0 ? 3 : 1;
    const WorldPoint e{row.x, row.y};
    if (picked) {
        pick(row.g == 0 || row.g == 1 || row.g == 81 ? 1 : row.g, e.x, e.y, row.i, row.j);
    }
    if (row.g == 0) {
        if (m_options.showG00) {
            m_batch.setPen(colour, 1, PenStyle::DashDot);
            m_batch.segment(p, e);
        }
    } else if (row.g == 81) {
        m_batch.setPen(colour, 1, PenStyle::Solid);
        r == 0 ? pixel(e) : circle(e, r);
    } else if (row.g == 1) {
        if (r > 0) {
            m_batch.setPen(colour, 1, PenStyle::Solid);
            track(p, e, r);
        } else if (e.x != p.x || e.y != p.y) {
            m_batch.setPen(colour, width, PenStyle::Solid);
            m_batch.segment(p, e);
        } else {
            m_batch.setPen(colour, 1, PenStyle::Solid);
            pixel(e);
        }
    } else if (row.g == 2 || row.g == 3) {
        arcRecord(index, row, p, r, colour, picked);
    }
}

// A wide track: circles of radius r at both ends and the two sides.
void Plotter::track(WorldPoint p, WorldPoint e, double r) {
    circle(p, r);
    circle(e, r);
    const double dx = e.x - p.x;
    const double dy = e.y - p.y;
    double ox = r;
    double oy = 0;
    if (dx != 0) {
        const double theta = std::atan(dy / dx);
        ox = r * std::sin(theta);
        oy = -r * std::cos(theta);
    }
    m_batch.segment({p.x + ox, p.y + oy}, {e.x + ox, e.y + oy});
    m_batch.segment({p.x - ox, p.y - oy}, {e.x - ox, e.y - oy});
}

void Plotter::arcRecord(int index, const PathRow& row, WorldPoint p, double r, Colour colour,
                        bool picked) {
    if (!finite(row.i, row.j)) {
        return;
    }
    const double radius = std::sqrt(double{row.i} * row.i + double{row.j} * row.j);
    const WorldPoint c{p.x + row.i, p.y + row.j};
    if (picked) {
        // The record's own row becomes the centre, then the end point follows.
        PickRow& last = m_picks.last();
        last.x = static_cast<float>(c.x);
        last.y = static_cast<float>(c.y);
        pick(1, row.x, row.y, 0, 0);
    }
    const double start = arcStartAngle(row.i, row.j);
    const double end = arcEndAngle(row.x - c.x, row.y - c.y);
    const double from = row.g == 2 ? end : start;
    const double to = row.g == 2 ? start : end;
    if (r > 0) {
        m_batch.setPen(colour, 1, PenStyle::Solid);
        circle(p, r);
        const bool nextIsRapid = index < m_tables.PathCount &&
                                 m_tables.paths[static_cast<std::size_t>(index) + 1].g == 0;
        if (nextIsRapid) {
            circle({row.x, row.y}, r);
        }
        arc(c, radius + r, from, to, p, picked);
        if (radius - r > 0) {
            arc(c, radius - r, from, to, p, picked);
        }
    } else {
        m_batch.setPen(colour, row.mark > 0 ? 3 : 1, PenStyle::Solid);
        arc(c, radius, from, to, p, picked);
    }
}

void Plotter::arc(WorldPoint c, double radius, double from, double to, WorldPoint p, bool picked) {
    if (picked) {
        pick(1, c.x + radius * std::cos(from), c.y + radius * std::sin(from), 0, 0);
        pick(1, c.x + radius * std::cos(to), c.y + radius * std::sin(to), 0, 0);
        pick(1, p.x, p.y, 0, 0);
    }
    if (!m_batch.mayShowBox(c.x - radius, c.y - radius, c.x + radius, c.y + radius)) {
        return;
    }
    const double step = m_view.ChordStep;
    if (m_options.arcsAsLines && step > 0 && radius / step >= 20) {
        arcAsLines(c, radius, from, to);
    } else {
        // Drawn at once while a run of the same pen waits: one colour over
        // another of the same colour shows no order.
        m_canvas.arc(c, radius, from, to);
    }
}

// The arc as chords of about ChordStep world units, from the "from" angle up to
// the "to" angle, then a last line to the "to" point. The number of chords is
// bounded by the pixels along the arc, so a huge radius or a tiny step cannot
// make a redraw run for billions of steps.
void Plotter::arcAsLines(WorldPoint c, double radius, double from, double to) {
    auto at = [&](double a) {
        return WorldPoint{c.x + radius * std::cos(a), c.y + radius * std::sin(a)};
    };
    pixel(at(from));
    if (from >= to) {
        from -= kTwoPi;
    }
    const double span = to - from;
    double step = m_view.ChordStep / radius;
    const double pixelsAlong = radius * span * m_window.pixelsPerUnitX();
    const double maxChords =
        std::min<double>(kMaxChordsPerArc, std::max(1.0, std::ceil(pixelsAlong)));
    if (!(span / step <= maxChords)) {
        step = span / maxChords;
    }
    WorldPoint pen = at(from);
    for (long k = 0;; ++k) {
        const double a = from + static_cast<double>(k) * step;
        if (a > to) {
            break;
        }
        const WorldPoint q = at(a);
        m_batch.segment(pen, q);
        pen = q;
    }
    m_batch.segment(pen, at(to));
}

bool Plotter::holes() {
    for (int k = 0; k <= m_tables.HoleCount; ++k) {
        maybeYield(k);
        const HoleRow& h = m_tables.holes[static_cast<std::size_t>(k)];
        const int sizeLayer = layerIndex(h.sizeLayer);
        const int colourLayer = layerIndex(h.colourLayer);
        if (sizeLayer < 0 || colourLayer < 0) {
            return false;
        }
        if (!finite(h.x, h.y) || !m_tables.layers[static_cast<std::size_t>(colourLayer)].visible) {
            continue;
        }
        const double r = m_tables.layers[static_cast<std::size_t>(sizeLayer)].width / 2.0f;
        m_batch.setPen(colourOf(colourLayer), 1, PenStyle::Solid);
        r == 0 ? pixel({h.x, h.y}) : circle({h.x, h.y}, r);
        if (m_window.strictlyInside(h.x, h.y)) {
            pick(4, h.x, h.y, h.x, h.y);
        }
    }
    return true;
}

}  // namespace

int GrSub(Canvas& canvas, const PlotTables& tables, const ColourTable& colours,
          const PlotView& view, const DrawOptions& options, PickList& picks) {
    canvas.setMode(PenMode::Copy);
    const auto window = worldWindow(view, canvas.widthPx(), canvas.heightPx());
    const Colour background = options.printPreview ? kWhite : colours.background();
    picks.clear();
    if (window) {
        canvas.setWorldWindow(*window);
    }
    if (!options.overlay) {
        canvas.clear(background);
    }
    if (window) {
        Plotter plotter(canvas, *window, tables, colours, view, options, picks);
        if (options.referenceLines && !options.overlay) {
            plotter.referenceLines();
        }
        const bool whole = !options.drawPaths || plotter.paths();
        if (whole && options.drawHoles) {
            plotter.holes();
        }
    }
    canvas.flush();
    int state = options.CommandState;
    if (state > 7999) {
        canvas.setMode(PenMode::NotXor);
        if (state > 8999) {
            state = 9001;
        }
    }
    return state;
}

int MOTOZU(Canvas& canvas, const PlotTables& tables, const ColourTable& colours, PlotView& view,
           const DrawOptions& options, PickList& picks) {
    fitView(view, tables);
    return GrSub(canvas, tables, colours, view, options, picks);
}

}  // namespace talmir::graphic
