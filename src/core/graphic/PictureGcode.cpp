#include "core/graphic/PictureGcode.h"

#include "core/graphic/ArcAngles.h"
#include "core/text/NumberPicture.h"

#include <cmath>

namespace talmir::graphic {

namespace {

class GcodeWriter {
public:
    explicit GcodeWriter(std::string& out) : m_out(out), m_picture("#######0.0###") {}

    // "G00X1.0Y2.0": the word, then letter-number pairs.
    void line(const char* word, std::initializer_list<std::pair<const char*, double>> values,
              std::string_view tail = {}) {
        m_out += word;
        for (const auto& [letter, value] : values) {
            m_out += letter;
            m_picture.append(m_out, value);
        }
        m_out += tail;
        m_out += "\r\n";
    }
    void raw(std::string_view text) {
        m_out += text;
        m_out += "\r\n";
    }

    // The full circle of radius r about (x, y), started at its rightmost point.
    void fullCircle(float x, float y, float r) {
        line("G00", {{"X", x + r}, {"Y", y}});
        line("G02", {{"X", x + r}, {"Y", y}, {"I-", r}}, "J0");
    }

    // The arc counter-clockwise from angle `from` to angle `to`.
    void arc(double cx, double cy, double radius, double from, double to) {
        const double fx = cx + radius * std::cos(from);
        const double fy = cy + radius * std::sin(from);
        line("G00", {{"X", fx}, {"Y", fy}});
        line("G03", {{"X", cx + radius * std::cos(to)},
                     {"Y", cy + radius * std::sin(to)},
                     {"I", cx - fx},
                     {"J", cy - fy}});
    }

private:
    std::string& m_out;
    text::NumberPicture m_picture;
};

bool isFinite(const PathRow& row) {
    return std::isfinite(row.x) && std::isfinite(row.y) && std::isfinite(row.i) &&
           std::isfinite(row.j);
}

void thinRecord(GcodeWriter& w, const PathRow& row) {
    if (row.g == 0) {
        w.line("G00", {{"X", row.x}, {"Y", row.y}});
    } else if (row.g == 1) {
        w.line("G01", {{"X", row.x}, {"Y", row.y}});
    } else if (row.g == 2) {
        w.line("G02", {{"X", row.x}, {"Y", row.y}, {"I", row.i}, {"J", row.j}});
    } else if (row.g == 3) {
        w.line("G03", {{"X", row.x}, {"Y", row.y}, {"I", row.i}, {"J", row.j}});
    } else if (row.g == 81) {
        w.line("G81", {{"X", row.x}, {"Y", row.y}});
    }
}

void wideTrack(GcodeWriter& w, float px, float py, const PathRow& row, float r, bool afterRapid) {
    if (afterRapid) {
        w.fullCircle(px, py, r);
    }
    w.fullCircle(row.x, row.y, r);
    const double dx = double{row.x} - px;
    const double dy = double{row.y} - py;
    double ox = r;
    double oy = 0;
    if (dx != 0) {
        const double theta = std::atan(dy / dx);
        ox = r * std::sin(theta);
        oy = -r * std::cos(theta);
    }
    for (const double sign : {1.0, -1.0}) {
        w.line("G00", {{"X", px + sign * ox}, {"Y", py + sign * oy}});
        w.line("G01", {{"X", row.x + sign * ox}, {"Y", row.y + sign * oy}});
    }
}

void wideArc(GcodeWriter& w, float px, float py, const PathRow& row, float r, bool beforeRapid) {
    w.fullCircle(px, py, r);
    if (beforeRapid) {
        w.fullCircle(row.x, row.y, r);
    }
    const double radius = std::sqrt(double{row.i} * row.i + double{row.j} * row.j);
    const double cx = double{px} + row.i;
    const double cy = double{py} + row.j;
    const double start = arcStartAngle(row.i, row.j);
    const double end = arcEndAngle(row.x - cx, row.y - cy);
    const double from = row.g == 2 ? end : start;
    const double to = row.g == 2 ? start : end;
    w.arc(cx, cy, radius + r, from, to);
    if (radius - r > 0) {
        w.arc(cx, cy, radius - r, from, to);
    }
}

}  // namespace

std::string PictureGcode(const PlotTables& tables) {
    std::string out;
    out.reserve(static_cast<std::size_t>(tables.PathCount + 1) * 24);
    GcodeWriter w(out);
    int previousLayer = -1;
    float px = 0;
    float py = 0;
    for (int k = 0; k <= tables.PathCount; ++k) {
        const PathRow& row = tables.paths[static_cast<std::size_t>(k)];
        const float index = std::nearbyint(row.layer);
        if (!(index >= 0 && index < kScannedLayers)) {
            break;
        }
        if (!isFinite(row)) {
            continue;
        }
        const int layer = static_cast<int>(index);
        const LayerSlot& slot = tables.layers[static_cast<std::size_t>(layer)];
        if (layer != previousLayer) {
            w.raw(slot.name);
            previousLayer = layer;
        }
        const float r = slot.width / 2;
        if (r == 0) {
            thinRecord(w, row);
        } else if (row.g == 81) {
            w.fullCircle(row.x, row.y, r);
        } else if (row.g == 1) {
            const bool afterRapid = k > 0 && tables.paths[static_cast<std::size_t>(k) - 1].g == 0;
            wideTrack(w, px, py, row, r, afterRapid);
        } else if (row.g == 2 || row.g == 3) {
            const bool beforeRapid =
                k < tables.PathCount && tables.paths[static_cast<std::size_t>(k) + 1].g == 0;
            wideArc(w, px, py, row, r, beforeRapid);
        }
        px = row.x;
        py = row.y;
    }
    return out;
}

}  // namespace talmir::graphic
