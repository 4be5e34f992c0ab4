#include "core/graphic/Trace.h"

#include "core/graphic/Measure.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace talmir::graphic {

namespace {

bool finitePoint(float x, float y) {
    return std::isfinite(x) && std::isfinite(y);
}

bool visibleLayer(const PlotTables& tables, float layer) {
    return layer >= 0 && layer < static_cast<float>(kScannedLayers) &&
           tables.layers[static_cast<std::size_t>(layer)].visible;
}

// An element as compared: its G number and points rounded to the tolerance.
struct Key {
    long long v[7] = {};
    bool operator==(const Key&) const = default;
};

struct KeyHash {
    std::size_t operator()(const Key& key) const {
        std::size_t h = 1469598103934665603ULL;
        for (const long long v : key.v) {
            h = (h ^ static_cast<std::size_t>(v)) * 1099511628211ULL;
        }
        return h;
    }
};

struct Element {
    Key key;
    int record = 0;
};

long long snapped(double value, double tolerance) {
    const double steps = std::round(value / tolerance);
    return std::fabs(steps) < 9e18 ? static_cast<long long>(steps) : 0;
}

// The elements of a program in drawing order: moves of no length and records
// whose points are not numbers pass over.
std::vector<Element> elementsOf(const PlotTables& tables, double tolerance) {
    std::vector<Element> out;
    double px = 0;
    double py = 0;
    for (int k = 0; k <= tables.PathCount; ++k) {
        const PathRow& row = tables.paths[static_cast<std::size_t>(k)];
        if (!finitePoint(row.x, row.y)) {
            continue;
        }
        const bool arc = row.g == 2 || row.g == 3;
        const bool moves = row.x != px || row.y != py;
        if ((row.g == 0 || row.g == 1) ? moves : (arc || row.g == 81)) {
            Element e;
            e.record = k;
            e.key.v[0] = static_cast<long long>(row.g);
            e.key.v[1] = row.g == 81 ? 0 : snapped(px, tolerance);
            e.key.v[2] = row.g == 81 ? 0 : snapped(py, tolerance);
            e.key.v[3] = snapped(row.x, tolerance);
            e.key.v[4] = snapped(row.y, tolerance);
            e.key.v[5] = arc ? snapped(px + row.i, tolerance) : 0;
            e.key.v[6] = arc ? snapped(py + row.j, tolerance) : 0;
            out.push_back(e);
        }
        px = row.x;
        py = row.y;
    }
    return out;
}

// Whether (x, y) may lie within `reach` of the record drawn from (px, py): the
// box around it, widened by `reach`, holds the point. Most records of a large
// program fail this at once.
bool mayBeNear(const PathRow& row, double px, double py, double x, double y, double reach) {
    if (row.g == 2 || row.g == 3) {
        const double radius = std::fabs(row.i) + std::fabs(row.j) + reach;
        return std::fabs(x - (px + row.i)) <= radius && std::fabs(y - (py + row.j)) <= radius;
    }
    if (row.g == 1) {
        return x >= std::min<double>(px, row.x) - reach &&
               x <= std::max<double>(px, row.x) + reach &&
               y >= std::min<double>(py, row.y) - reach && y <= std::max<double>(py, row.y) + reach;
    }
    return row.g == 81 && std::fabs(x - row.x) <= reach && std::fabs(y - row.y) <= reach;
}

std::size_t lineOf(const PlotTables& tables, int record) {
    const auto k = static_cast<std::size_t>(record);
    return k < tables.pathLines.size() ? tables.pathLines[k] + 1 : 0;
}

}  // namespace

std::optional<TracedElement> elementAt(const PlotTables& tables, double x, double y,
                                       double tolerance) {
    std::optional<TracedElement> found;
    double best = tolerance;
    double px = 0;
    double py = 0;
    for (int k = 0; k <= tables.PathCount; ++k) {
        const PathRow& row = tables.paths[static_cast<std::size_t>(k)];
        if (!finitePoint(row.x, row.y)) {
            continue;
        }
        if (visibleLayer(tables, row.layer) && mayBeNear(row, px, py, x, y, best)) {
            const double distance = recordDistance(row, px, py, x, y);
            if (distance >= 0 && distance < best) {
                best = distance;
                found = TracedElement{false, k};
            }
        }
        px = row.x;
        py = row.y;
    }
    for (int h = 0; h <= tables.HoleCount; ++h) {
        const HoleRow& hole = tables.holes[static_cast<std::size_t>(h)];
        if (finitePoint(hole.x, hole.y) && visibleLayer(tables, hole.colourLayer)) {
            const double distance = std::hypot(hole.x - x, hole.y - y);
            if (distance < best) {
                best = distance;
                found = TracedElement{true, h};
            }
        }
    }
    return found;
}

std::pair<int, int> recordsOfLines(const std::vector<std::uint32_t>& lines, std::uint32_t first,
                                   std::uint32_t last) {
    const auto from = std::lower_bound(lines.begin(), lines.end(), first);
    const auto to = std::upper_bound(from, lines.end(), last);
    return {static_cast<int>(from - lines.begin()), static_cast<int>(to - lines.begin())};
}

PlotTables extractElements(const PlotTables& from, const std::vector<int>& records,
                           const std::vector<int>& holes) {
    PlotTables out;
    out.layers = from.layers;
    for (LayerSlot& slot : out.layers) {
        slot.visible = true;
    }
    for (const int h : holes) {
        if (h >= 0 && h <= from.HoleCount) {
            out.holes.push_back(from.holes[static_cast<std::size_t>(h)]);
        }
    }
    out.HoleCount = static_cast<int>(out.holes.size()) - 1;
    out.paths.reserve(records.size() * 2);
    for (const int k : records) {
        if (k < 0 || k > from.PathCount) {
            continue;
        }
        PathRow start;  // a rapid move to where the record starts
        for (int before = k - 1; before >= 0; --before) {
            const PathRow& row = from.paths[static_cast<std::size_t>(before)];
            if (finitePoint(row.x, row.y)) {
                start.x = row.x;
                start.y = row.y;
                break;
            }
        }
        PathRow record = from.paths[static_cast<std::size_t>(k)];
        record.mark = 1;
        start.layer = record.layer;
        out.paths.push_back(start);
        out.paths.push_back(record);
    }
    out.PathCount = static_cast<int>(out.paths.size()) - 1;
    return out;
}

ProgramDiff diffPrograms(const PlotTables& a, const PlotTables& b, double tolerance) {
    const std::vector<Element> ea = elementsOf(a, tolerance);
    const std::vector<Element> eb = elementsOf(b, tolerance);
    ProgramDiff diff;
    const std::size_t common = std::min(ea.size(), eb.size());
    std::size_t k = 0;
    while (k < common && ea[k].key == eb[k].key) {
        ++k;
    }
    if (k < ea.size() || k < eb.size()) {
        // Where one ends, the other's next element is the difference.
        diff.firstLineA = k < ea.size() ? lineOf(a, ea[k].record) : a.pathLines.size() + 1;
        diff.firstLineB = k < eb.size() ? lineOf(b, eb[k].record) : b.pathLines.size() + 1;
    }
    std::unordered_map<Key, std::vector<int>, KeyHash> inB;
    for (const Element& e : eb) {
        inB[e.key].push_back(e.record);
    }
    for (const Element& e : ea) {
        const auto it = inB.find(e.key);
        if (it == inB.end() || it->second.empty()) {
            diff.onlyInA.push_back(e.record);
        } else {
            it->second.pop_back();
        }
    }
    for (const Element& e : eb) {
        std::vector<int>& left = inB[e.key];
        if (!left.empty() && std::find(left.begin(), left.end(), e.record) != left.end()) {
            diff.onlyInB.push_back(e.record);
            left.erase(std::find(left.begin(), left.end(), e.record));
        }
    }
    std::sort(diff.onlyInB.begin(), diff.onlyInB.end());
    return diff;
}

std::string diffText(const ProgramDiff& diff) {
    std::string out;
    if (diff.firstLineA) {
        out += "first difference: line " + std::to_string(*diff.firstLineA) + " of A, line " +
               std::to_string(*diff.firstLineB) + " of B\n";
    } else {
        out += "no difference\n";
    }
    out += "only in A: " + std::to_string(diff.onlyInA.size()) + "\n";
    out += "only in B: " + std::to_string(diff.onlyInB.size()) + "\n";
    return out;
}

}  // namespace talmir::graphic
