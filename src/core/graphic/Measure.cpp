#include "core/graphic/Measure.h"

#include "core/graphic/ArcAngles.h"
#include "core/text/Lines.h"
#include "core/text/NumericValue.h"
#include "core/text/ShiftJis.h"

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace talmir::graphic {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

struct Point {
    double x = 0;
    double y = 0;
};

bool finitePoint(const PathRow& row) {
    return std::isfinite(row.x) && std::isfinite(row.y);
}

bool isCut(const PathRow& row) {
    return row.g == 1 || row.g == 2 || row.g == 3;
}

int layerOf(const PathRow& row) {
    if (!(row.layer >= 0 && row.layer < static_cast<float>(kScannedLayers))) {
        return -1;
    }
    return static_cast<int>(row.layer);
}

// An arc record's angles: it runs counter-clockwise from `from` to `to`.
struct ArcShape {
    Point centre;
    double radius = 0;
    double from = 0;
    double to = 0;
};

ArcShape arcShape(const PathRow& row, Point p) {
    ArcShape arc;
    arc.centre = {p.x + row.i, p.y + row.j};
    arc.radius = std::sqrt(double{row.i} * row.i + double{row.j} * row.j);
    const double start = arcStartAngle(row.i, row.j);
    const double end = arcEndAngle(row.x - arc.centre.x, row.y - arc.centre.y);
    arc.from = row.g == 2 ? end : start;
    arc.to = row.g == 2 ? start : end;
    return arc;
}

// The counter-clockwise angle from `from` to `to`; equal angles are a full turn.
double sweep(double from, double to) {
    if (to <= from) {
        to += kTwoPi;
    }
    return to - from;
}

double recordLength(const PathRow& row, Point p) {
    if (row.g == 1 || row.g == 0) {
        return std::hypot(row.x - p.x, row.y - p.y);
    }
    if (row.g == 2 || row.g == 3) {
        if (!std::isfinite(row.i) || !std::isfinite(row.j)) {
            return 0;
        }
        const ArcShape arc = arcShape(row, p);
        return arc.radius * sweep(arc.from, arc.to);
    }
    return 0;
}

double segmentDistance(Point c, Point p, Point e) {
    const double dx = e.x - p.x;
    const double dy = e.y - p.y;
    const double squared = dx * dx + dy * dy;
    double t = 0;
    if (squared > 0) {
        t = ((c.x - p.x) * dx + (c.y - p.y) * dy) / squared;
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
    }
    return std::hypot(c.x - (p.x + t * dx), c.y - (p.y + t * dy));
}

// The distance of the click from the element, or a negative value when the
// element cannot be picked there.
double elementDistance(const PathRow& row, Point p, Point click) {
    if (row.g == 1) {
        return segmentDistance(click, p, {row.x, row.y});
    }
    if (!std::isfinite(row.i) || !std::isfinite(row.j)) {
        return -1;
    }
    const ArcShape arc = arcShape(row, p);
    const double dx = click.x - arc.centre.x;
    const double dy = click.y - arc.centre.y;
    if (arc.from != arc.to && (dx != 0 || dy != 0)) {
        const double at = sweep(arc.from, arcEndAngle(dx, dy));
        if (at > sweep(arc.from, arc.to) && at < kTwoPi) {
            return -1;  // beside the arc, where only its circle runs
        }
    }
    return std::fabs(arc.radius - std::hypot(dx, dy));
}

// The end point of the last finite record before `index`; the origin when none.
Point startOf(const PlotTables& tables, int index) {
    for (int k = index - 1; k >= 0; --k) {
        const PathRow& row = tables.paths[static_cast<std::size_t>(k)];
        if (finitePoint(row)) {
            return {row.x, row.y};
        }
    }
    return {};
}

// Marks or unmarks one element and keeps the total.
void toggle(PathRow& row, double length, float& selectedLength, bool takeBack) {
    if (!takeBack && row.mark == 0) {
        row.mark = 1;
        selectedLength = static_cast<float>(selectedLength + length);
    } else if (takeBack && row.mark != 0) {
        row.mark = 0;
        selectedLength = static_cast<float>(selectedLength - length);
    }
}

void appendNumber(std::string& out, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    out += buffer;
}

void appendJsonString(std::string& out, std::string_view sjis) {
    out += '"';
    for (const char c : text::shiftJisToUtf8(sjis)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
            out += buffer;
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendJsonFields(std::string& out, const LayerMeasure& layer) {
    out += "\"cut_length\":";
    appendNumber(out, layer.cutLength);
    out += ",\"rapid_length\":";
    appendNumber(out, layer.rapidLength);
    out += ",\"elements\":" + std::to_string(layer.elements);
}

void appendTextFields(std::string& out, const LayerMeasure& layer) {
    out += " cut_length ";
    appendNumber(out, layer.cutLength);
    out += " rapid_length ";
    appendNumber(out, layer.rapidLength);
    out += " elements " + std::to_string(layer.elements) + "\n";
}

// Grows the box around what is drawn.
void grow(ProgramMeasure& m, double x, double y) {
    if (!m.hasBox) {
        m.hasBox = true;
        m.box[0] = m.box[2] = x;
        m.box[1] = m.box[3] = y;
        return;
    }
    m.box[0] = std::min(m.box[0], x);
    m.box[1] = std::min(m.box[1], y);
    m.box[2] = std::max(m.box[2], x);
    m.box[3] = std::max(m.box[3], y);
}

// An arc's points at the quarter angles it passes, beside its end points.
void growArc(ProgramMeasure& m, const PathRow& row, Point p) {
    if (!std::isfinite(row.i) || !std::isfinite(row.j)) {
        return;
    }
    const ArcShape arc = arcShape(row, p);
    const double span = sweep(arc.from, arc.to);
    for (int quarter = 1; quarter <= 4; ++quarter) {
        const double angle = quarter * std::numbers::pi / 2;
        if (sweep(arc.from, angle) <= span) {
            grow(m, arc.centre.x + arc.radius * std::cos(angle),
                 arc.centre.y + arc.radius * std::sin(angle));
        }
    }
}

// The F word in force at each line of a G-code text, read in step with the
// records (whose lines never go back). Text in parentheses is no word.
class FeedTracker {
public:
    FeedTracker(std::string_view text, double initial) : m_lines(text), m_feed(initial) {}

    double at(std::uint32_t line) {
        std::string_view text;
        while (m_next <= line && m_lines.next(text)) {
            read(text);
            ++m_next;
        }
        return m_feed;
    }

private:
    void read(std::string_view line) {
        int depth = 0;
        for (std::size_t k = 0; k < line.size(); ++k) {
            const char c = line[k];
            depth += c == '(' ? 1 : (c == ')' && depth > 0 ? -1 : 0);
            if (depth > 0 || (c != 'F' && c != 'f') || k + 1 >= line.size()) {
                continue;
            }
            const char next = line[k + 1];
            if ((next >= '0' && next <= '9') || next == '.') {
                const double feed = text::numericValue(line.substr(k + 1));
                if (feed > 0 && std::isfinite(feed)) {
                    m_feed = feed;
                }
            }
        }
    }

    text::LineReader m_lines;
    double m_feed;
    std::uint32_t m_next = 0;
};

template <typename FeedOf>
ProgramMeasure accumulate(const PlotTables& tables, FeedOf feedOf, const Feeds* feeds) {
    std::vector<LayerMeasure> byLayer(kScannedLayers);
    std::vector<bool> used(kScannedLayers, false);
    ProgramMeasure measure;
    Point p;
    for (int k = 0; k <= tables.PathCount; ++k) {
        const PathRow& row = tables.paths[static_cast<std::size_t>(k)];
        if (!finitePoint(row)) {
            continue;
        }
        const int layer = layerOf(row);
        if (layer >= 0) {
            LayerMeasure& slot = byLayer[static_cast<std::size_t>(layer)];
            used[static_cast<std::size_t>(layer)] = true;
            const double length = recordLength(row, p);
            if (row.g == 0) {
                slot.rapidLength += length;
                if (feeds != nullptr) {
                    slot.time += length / feeds->rapid;
                }
            } else if (isCut(row)) {
                slot.cutLength += length;
                ++slot.elements;
                if (feeds != nullptr) {
                    slot.time += length / feedOf(k);
                }
            } else if (row.g == 81) {
                ++slot.holes;
            }
            if (row.g != 0) {
                grow(measure, row.x, row.y);
                if (row.g == 2 || row.g == 3) {
                    growArc(measure, row, p);
                }
            }
        }
        p = {row.x, row.y};
    }
    for (int h = 0; h <= tables.HoleCount; ++h) {
        const HoleRow& hole = tables.holes[static_cast<std::size_t>(h)];
        if (!(hole.colourLayer >= 0 && hole.colourLayer < static_cast<float>(kScannedLayers)) ||
            !std::isfinite(hole.x) || !std::isfinite(hole.y)) {
            continue;
        }
        const auto layer = static_cast<std::size_t>(hole.colourLayer);
        used[layer] = true;
        ++byLayer[layer].holes;
        grow(measure, hole.x, hole.y);
    }
    for (int layer = 0; layer < kScannedLayers; ++layer) {
        if (!used[static_cast<std::size_t>(layer)]) {
            continue;
        }
        LayerMeasure slot = byLayer[static_cast<std::size_t>(layer)];
        slot.name = tables.layers[static_cast<std::size_t>(layer)].name;
        measure.total.cutLength += slot.cutLength;
        measure.total.rapidLength += slot.rapidLength;
        measure.total.elements += slot.elements;
        measure.total.holes += slot.holes;
        measure.total.time += slot.time;
        measure.layers.push_back(std::move(slot));
    }
    return measure;
}

}  // namespace

double recordDistance(const PathRow& row, double px, double py, double x, double y) {
    if (row.g == 81) {
        return std::hypot(row.x - x, row.y - y);
    }
    if (!isCut(row)) {
        return -1;
    }
    return elementDistance(row, {px, py}, {x, y});
}

double elementLength(const PlotTables& tables, int index) {
    if (index < 0 || index > tables.PathCount) {
        return 0;
    }
    const PathRow& row = tables.paths[static_cast<std::size_t>(index)];
    if (!finitePoint(row) || !isCut(row)) {
        return 0;
    }
    return recordLength(row, startOf(tables, index));
}

int pickElement(const PlotTables& tables, double x, double y, double tolerance) {
    double best = tolerance;
    int candidate = -1;
    Point p;
    for (int k = 0; k <= tables.PathCount; ++k) {
        const PathRow& row = tables.paths[static_cast<std::size_t>(k)];
        if (!finitePoint(row)) {
            continue;
        }
        const int layer = layerOf(row);
        if (isCut(row) && layer >= 0 && tables.layers[static_cast<std::size_t>(layer)].visible) {
            const double distance = elementDistance(row, p, {x, y});
            if (distance >= 0 && distance < best) {
                best = distance;
                candidate = k;
            }
        }
        p = {row.x, row.y};
    }
    return candidate;
}

bool pickForLength(PlotTables& tables, float& selectedLength, double x, double y, PickMode mode,
                   bool takeBack) {
    const int picked = pickElement(tables, x, y);
    if (picked < 0) {
        return false;
    }
    auto& rows = tables.paths;
    if (mode == PickMode::Single) {
        toggle(rows[static_cast<std::size_t>(picked)], elementLength(tables, picked),
               selectedLength, takeBack);
        return true;
    }
    // The contour runs from the rapid move before the pick to the next one; with
    // no rapid move before it, it starts at the first record.
    int first = picked;
    while (first >= 0 && rows[static_cast<std::size_t>(first)].g != 0) {
        --first;
    }
    Point p = first >= 0 ? startOf(tables, first + 1) : Point{};
    for (int k = first + 1; k <= tables.PathCount; ++k) {
        PathRow& row = rows[static_cast<std::size_t>(k)];
        if (row.g == 0) {
            break;
        }
        if (!finitePoint(row)) {
            continue;
        }
        if (isCut(row)) {
            toggle(row, recordLength(row, p), selectedLength, takeBack);
        }
        p = {row.x, row.y};
    }
    return true;
}

ProgramMeasure measureProgram(const PlotTables& tables) {
    return accumulate(
        tables, [](int) { return 0.0; }, nullptr);
}

ProgramMeasure programStatistics(const PlotTables& tables, std::string_view gcodeText,
                                 const Feeds& feeds) {
    const std::vector<std::uint32_t>& gcodeLines = tables.pathLines;
    FeedTracker tracker(gcodeText, feeds.cut);
    return accumulate(
        tables,
        [&](int record) {
            const auto k = static_cast<std::size_t>(record);
            return k < gcodeLines.size() ? tracker.at(gcodeLines[k]) : feeds.cut;
        },
        &feeds);
}

// "layer NAME ..." for every layer, then "total ...": `fields` writes the rest of
// each line.
template <class Fields>
void appendTextLayers(std::string& out, const ProgramMeasure& measure, Fields fields) {
    for (const LayerMeasure& layer : measure.layers) {
        out += "layer " + layer.name;
        fields(out, layer);
    }
    out += "total";
    fields(out, measure.total);
}

// ,"layers":[{"name":NAME,...},...]: `fields` writes each layer's other fields.
template <class Fields>
void appendJsonLayers(std::string& out, const ProgramMeasure& measure, Fields fields) {
    out += ",\"layers\":[";
    for (std::size_t k = 0; k < measure.layers.size(); ++k) {
        out += k == 0 ? "{\"name\":" : ",{\"name\":";
        appendJsonString(out, measure.layers[k].name);
        out += ',';
        fields(out, measure.layers[k]);
        out += '}';
    }
    out += "]";
}

std::string measureText(const ProgramMeasure& measure) {
    std::string out;
    appendTextLayers(out, measure, appendTextFields);
    return out;
}

std::string statisticsText(const ProgramMeasure& stats) {
    std::string out;
    appendTextLayers(out, stats, [](std::string& text, const LayerMeasure& layer) {
        appendTextFields(text, layer);
        text.pop_back();
        text += " holes " + std::to_string(layer.holes) + " time ";
        appendNumber(text, layer.time);
        text += "\n";
    });
    if (stats.hasBox) {
        out += "box";
        for (const double v : stats.box) {
            out += ' ';
            appendNumber(out, v);
        }
        out += "\n";
    }
    return out;
}

std::string statisticsJson(const ProgramMeasure& stats) {
    auto fields = [](std::string& out, const LayerMeasure& layer) {
        appendJsonFields(out, layer);
        out += ",\"holes\":" + std::to_string(layer.holes) + ",\"time\":";
        appendNumber(out, layer.time);
    };
    std::string out = "{";
    fields(out, stats.total);
    out += ",\"box\":";
    if (stats.hasBox) {
        for (int k = 0; k < 4; ++k) {
            out += k == 0 ? "[" : ",";
            appendNumber(out, stats.box[k]);
        }
        out += "]";
    } else {
        out += "null";
    }
    appendJsonLayers(out, stats, fields);
    out += "}\n";
    return out;
}

std::string measureJson(const ProgramMeasure& measure) {
    std::string out = "{";
    appendJsonFields(out, measure.total);
    appendJsonLayers(out, measure, appendJsonFields);
    out += "}\n";
    return out;
}

}  // namespace talmir::graphic
