#include "core/export/GcodeToDxf.h"

#include "core/export/DxfRecords.h"
#include "core/export/ExportSink.h"
#include "core/export/ExportText.h"
#include "core/text/GcodeDialect.h"
#include "core/text/ShiftJis.h"

#include <cmath>
#include <deque>
#include <optional>
#include <span>
#include <unordered_map>
#include <utility>

namespace talmir::exporters {

namespace {

// The angle constants as the arc rules use them: pi and 2 pi in double precision,
// the quarter and three-quarter turns held in single precision (so pi/2 prints as
// 90.0000025044781 degrees).
constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717959;
constexpr float kQuarterTurn = static_cast<float>(kPi / 2);
constexpr float kThreeQuarterTurn = static_cast<float>(3 * kPi / 2);
constexpr double kDegreesPerRadian = 57.2957795130823;

// `name` with "_" for every character CAD programs refuse in a layer name (DXF
// table names exclude them), as in the comment lines of other programs ("; out of
// the workpiece"); nullopt when it has none. The bytes of a Shift-JIS character
// are never taken for one ("ソ" ends in the byte of the backslash).
std::optional<std::string> cleanLayerName(std::string_view name) {
    std::optional<std::string> clean;
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t length = text::charLength(name, pos);
        if (length == 1 &&
            std::string_view("<>/\\\":;?*|=`").find(name[pos]) != std::string_view::npos) {
            if (!clean) {
                clean.emplace(name);
            }
            (*clean)[pos] = '_';
        }
        pos += length;
    }
    return clean;
}

// Section lines in order of first appearance; entry 0 is layer "10".
class LayerTable {
public:
    // The number of the layer named `name`, adding it when new. A name with a
    // character DXF refuses takes "_" in its place.
    int select(std::string_view name) {
        if (std::optional<std::string> clean = cleanLayerName(name)) {
            if (auto found = m_numbers.find(*clean); found != m_numbers.end()) {
                return found->second;
            }
            name = m_cleanNames.emplace_back(std::move(*clean));
        }
        auto found = m_numbers.find(name);
        if (found != m_numbers.end()) {
            return found->second;
        }
        if (m_names.size() >= kMaxDxfLayers) {
            throw tableFullFailure();
        }
        m_names.push_back(name);
        const int number = static_cast<int>(m_names.size());
        m_numbers.emplace(name, number);
        return number;
    }
    std::size_t count() const { return m_names.size(); }
    const std::vector<std::string_view>& names() const { return m_names; }
    std::string_view name(int number) const {
        return number == 0 ? std::string_view("10") : m_names[number - 1];
    }

private:
    std::vector<std::string_view> m_names;
    std::unordered_map<std::string_view, int> m_numbers;
    std::deque<std::string> m_cleanNames;  // names with "_" for refused characters
};

// The reading pass: fills the layer table and counts the motion lines.
std::size_t readLayers(std::string_view gcode, LayerTable& layers) {
    std::size_t motions = 0;
    ItemReader items(gcode);
    for (std::string_view item; items.next(item);) {
        if (hasMotionCode(item)) {
            ++motions;
        } else if (!item.empty()) {
            layers.select(item);
        }
    }
    return motions;
}

// Angle of the start point seen from the centre (the vector (-I, -J)), radians.
float startAngle(float i, float j) {
    if (i == 0) {
        return j < 0 ? kQuarterTurn : kThreeQuarterTurn;
    }
    float angle = static_cast<float>(std::atan(static_cast<double>(j / i)));
    if (i > 0) {
        angle = static_cast<float>(angle + kPi);
    }
    if (angle < 0) {
        angle = static_cast<float>(angle + kTwoPi);
    }
    return angle;
}

// Angle of the end point (x, y) seen from the centre (cx, cy), radians.
float endAngle(float x, float y, float cx, float cy) {
    const float dx = x - cx;
    const float dy = y - cy;
    if (dx == 0) {
        return dy >= 0 ? kQuarterTurn : kThreeQuarterTurn;
    }
    float angle = static_cast<float>(std::atan(static_cast<double>(dy / dx)));
    if (x < cx) {
        angle = static_cast<float>(angle + kPi);
    }
    if (angle < 0) {
        angle = static_cast<float>(angle + kTwoPi);
    }
    return angle;
}

// G02/G03 from (px, py) to (x, y) around the centre (px + i, py + j). The DXF arc
// always runs counter-clockwise from group 50 to group 51, so a clockwise G02 swaps
// its angles; equal angles mean start and end coincide: a full CIRCLE.
void appendArc(std::string& out, const DxfStyle& style, DxfCoordinate* centre, bool clockwise,
               float px, float py, float x, float y, float i, float j) {
    const float radius = static_cast<float>(std::sqrt(static_cast<double>(i * i + j * j)));
    const float cx = px + i;
    const float cy = py + j;
    const float start = startAngle(i, j);
    const float end = endAngle(x, y, cx, cy);
    if (start == end) {
        appendDxfCircle(out, style, centre[0].text(cx), centre[1].text(cy), radius);
        return;
    }
    const double startDeg = static_cast<double>(start) * kDegreesPerRadian;
    const double endDeg = static_cast<double>(end) * kDegreesPerRadian;
    if (clockwise) {
        appendDxfArc(out, style, centre[0].text(cx), centre[1].text(cy), radius, endDeg, startDeg);
    } else {
        appendDxfArc(out, style, centre[0].text(cx), centre[1].text(cy), radius, startDeg, endDeg);
    }
}

void appendEntities(PieceBuffer& buffer, std::string_view gcode, LayerTable& layers,
                    const std::vector<std::string>& colourTexts, GcodePlace& place) {
    std::string& out = buffer.text();
    int layer = 0;
    float curX = 0;
    float curY = 0;
    // Texts of the current position and of the record's end point; they swap
    // after each record, so a LINE's start is the previous end already written.
    DxfCoordinate texts[2][2];
    int current = 0;
    DxfCoordinate centre[2];
    ItemReader items(gcode);
    for (std::string_view item; items.next(item);) {
        place.item = item;
        if (!hasMotionCode(item)) {
            // An empty line names no layer: CAD programs refuse an empty layer name,
            // and the motion lines after it stay on the layer before.
            if (!item.empty()) {
                layer = layers.select(item);
            }
            continue;
        }
        const float g = singleWord(item, 'G', 0);
        const float x = singleWord(item, 'X', 0);
        const float y = singleWord(item, 'Y', 0);
        const DxfStyle style{layers.name(layer), colourTexts[static_cast<std::size_t>(layer)]};
        DxfCoordinate* from = texts[current];
        DxfCoordinate* to = texts[1 - current];
        if (g == 1) {
            if (x != curX || y != curY) {
                appendDxfLine(out, style, from[0].text(curX), from[1].text(curY), to[0].text(x),
                              to[1].text(y));
            } else {
                appendDxfPoint(out, style, to[0].text(x), to[1].text(y));
            }
        } else if (g == 81) {
            appendDxfPoint(out, style, to[0].text(x), to[1].text(y));
        } else if (g == 2 || g == 3) {
            appendArc(out, style, centre, g == 2, curX, curY, x, y, singleWord(item, 'I', 0),
                      singleWord(item, 'J', 0));
        }
        curX = x;
        curY = y;
        current = 1 - current;
        buffer.handOverWhenFull();
    }
}

// The whole DXF into `sink`, or into the buffer's text when there is none.
template <class Done>
auto writeDxf(std::string_view gcode, const DxfOptions& options, ExportSink* sink, Done done)
    -> Result<decltype(done(std::declval<PieceBuffer&>()))> {
    GcodePlace place(gcode);
    try {
        // G-code of other programs is read as if this program had written it.
        const std::optional<std::string> own = text::ownGcode(gcode, text::StillMoves::LeaveOut);
        if (own) {
            gcode = *own;
        }
        LayerTable layers;
        const std::size_t motions = readLayers(gcode, layers);
        if (motions == 0) {
            return nothingToConvertFailure();
        }
        std::vector<std::string> colourTexts;
        colourTexts.push_back(dxfColourText(kDxfDefaultLayerColour));
        for (std::size_t n = 1; n <= layers.count(); ++n) {
            colourTexts.push_back(
                dxfColourText(n <= options.colours.size() ? options.colours[n - 1] : 0));
        }
        // An entity takes 90 (POINT) to 200 bytes (ARC with long numbers).
        PieceBuffer buffer(sink, motions * 200 + layers.count() * 64 + 2048);
        std::string& out = buffer.text();
        appendDxfFrameStart(out, layers.names(), std::span(colourTexts).subspan(1));
        appendEntities(buffer, gcode, layers, colourTexts, place);
        appendDxfFrameEnd(out);
        return done(buffer);
    } catch (const Failure& failure) {
        return place.placed(failure);
    }
}

}  // namespace

std::vector<double> dxfDialogColours(DxfColourMode mode, double commonColour,
                                     std::size_t layerCount) {
    std::vector<double> colours(layerCount);
    for (std::size_t row = 1; row <= layerCount; ++row) {
        if (mode == DxfColourMode::Same) {
            colours[row - 1] = commonColour;
        } else {
            const std::size_t colour = row % 7;
            colours[row - 1] = colour == 0 ? 7 : static_cast<double>(colour);
        }
    }
    return colours;
}

Result<std::vector<std::string>> gcodeDxfLayers(std::string_view gcode) {
    try {
        // G-code of other programs is read as if this program had written it.
        const std::optional<std::string> own = text::ownGcode(gcode, text::StillMoves::LeaveOut);
        if (own) {
            gcode = *own;
        }
        LayerTable layers;
        if (readLayers(gcode, layers) == 0) {
            return nothingToConvertFailure();
        }
        std::vector<std::string> names;
        for (std::size_t n = 1; n <= layers.count(); ++n) {
            names.emplace_back(layers.name(static_cast<int>(n)));
        }
        return names;
    } catch (const Failure& failure) {
        return failure;
    }
}

Result<std::string> gcodeToDxf(std::string_view gcode, const DxfOptions& options) {
    return writeDxf(gcode, options, nullptr,
                    [](PieceBuffer& buffer) { return std::move(buffer).release(); });
}

Result<std::uint64_t> gcodeToDxf(std::string_view gcode, const DxfOptions& options,
                                 ExportSink& sink) {
    return writeDxf(gcode, options, &sink, [](PieceBuffer& buffer) { return buffer.finish(); });
}

}  // namespace talmir::exporters
