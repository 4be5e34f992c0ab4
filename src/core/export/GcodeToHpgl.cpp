#include "core/export/GcodeToHpgl.h"

#include "core/export/ExportSink.h"
#include "core/export/ExportText.h"
#include "core/text/GcodeDialect.h"
#include "core/text/NumericValue.h"

#include <cmath>
#include <optional>
#include <utility>

namespace talmir::exporters {

namespace {

constexpr float kUnitsPerMm = 40;
constexpr double kPi = 3.14159265358979;
constexpr int kQuietStopNumber = -1;

const text::NumberPicture kUnits("########0");
const text::NumberPicture kSweep("#####0.0####");

Failure quietStop() {
    return Failure{kQuietStopNumber, "D01～D03 のデータがあるため、HPGLへ変換しませんでした"};
}

// Direction of (dx, dy) in degrees, 0 < angle <= 360 (an angle of 0 is 360).
double directionDeg(float dx, float dy) {
    const double base =
        dx != 0 ? std::fabs(std::atan(static_cast<double>(dy / dx))) * 180 / kPi : 90;
    double angle = 0;
    if (dx >= 0 && dy >= 0) {
        angle = base;
    } else if (dx < 0 && dy >= 0) {
        angle = 180 - base;
    } else if (dx < 0) {
        angle = 180 + base;
    } else {
        angle = 360 - base;
    }
    return angle == 0 ? 360 : angle;
}

// True for an item whose first "D" is followed by a number below 4 ("D02",
// "G01X1.D01"). A "D" with no number after it, as in "(DRILL 3/4)" or
// "(Date: 1.7.2008)", is a word of a comment, not a drawing code.
bool hasLowDrawingCode(std::string_view item) {
    const std::size_t at = item.find('D');
    if (at == std::string_view::npos) {
        return false;
    }
    std::size_t consumed = 0;
    const double code = text::numericValue(item.substr(at + 1), consumed);
    return consumed > 0 && code < 4;
}

class HpglWriter {
public:
    explicit HpglWriter(std::string& out) : m_out(out) {}

    // "PA" x "," y ";" in plotter units.
    void moveTo(float x, float y) {
        m_out.append("PA");
        units(x);
        m_out.push_back(',');
        units(y);
        m_out.push_back(';');
    }

    // G02 (clockwise) or G03 from (px, py) to (x, y) around (px + i, py + j).
    void arc(bool clockwise, float px, float py, float x, float y, float i, float j) {
        const float radius = static_cast<float>(std::sqrt(static_cast<double>(i * i + j * j)));
        const float cx = px + i;
        const float cy = py + j;
        const double start = directionDeg(-i, -j);
        const double end = directionDeg(x - cx, y - cy);
        if (start != end) {
            double sweep = end - start;
            if (!clockwise && sweep <= 0) {
                sweep += 360;
            } else if (clockwise && sweep > 0) {
                sweep -= 360;
            }
            m_out.append("PD;AA");
            units(cx);
            m_out.push_back(',');
            units(cy);
            m_out.push_back(',');
            appendNumber(m_out, kSweep, sweep);
            m_out.append(";PU;");
        } else {
            m_out.append("PU;");
            moveTo(cx, cy);
            m_out.append("CI");
            units(radius);
            m_out.append(",5;PU;");
        }
        moveTo(x, y);
    }

private:
    void units(float mm) { appendNumber(m_out, kUnits, mm * kUnitsPerMm); }

    std::string& m_out;
};

// The whole HPGL text into `sink`, or into the buffer's text when there is none.
template <class Done>
auto writeHpgl(std::string_view gcode, ExportSink* sink, Done done)
    -> Result<decltype(done(std::declval<PieceBuffer&>()))> {
    GcodePlace place(gcode);
    try {
        // G-code of other programs is read as if this program had written it.
        const std::optional<std::string> own = text::ownGcode(gcode, text::StillMoves::LeaveOut);
        if (own) {
            gcode = *own;
        }
        PieceBuffer buffer(sink, gcode.size() + gcode.size() / 2 + 64);
        std::string& out = buffer.text();
        out.append("CT,1;SP1;");
        HpglWriter writer(out);
        bool anyRecord = false;
        float px = 0;
        float py = 0;
        ItemReader items(gcode);
        for (std::string_view item; items.next(item);) {
            place.item = item;
            // The drawing codes D04 and up change nothing in the plot; D01 to D03
            // mean the text is Gerber data and the command stops.
            if (hasLowDrawingCode(item)) {
                return quietStop();
            }
            if (!contains(item, "G")) {
                continue;
            }
            anyRecord = true;
            const float g = singleWord(item, 'G', 0);
            const float x = singleWord(item, 'X', 0);
            const float y = singleWord(item, 'Y', 0);
            if (g == 2 || g == 3) {
                writer.arc(g == 2, px, py, x, y, singleWord(item, 'I', 0),
                           singleWord(item, 'J', 0));
            } else {
                out.append(g == 1 ? "PD;" : "PU;");
                writer.moveTo(x, y);
            }
            px = x;
            py = y;
            buffer.handOverWhenFull();
        }
        if (!anyRecord) {
            return nothingToConvertFailure();
        }
        out.append("PU;PA0,0;SP0;\r\n");
        return done(buffer);
    } catch (const Failure& failure) {
        return place.placed(failure);
    }
}

}  // namespace

bool isQuietStop(const Failure& failure) {
    return failure.number == kQuietStopNumber;
}

Result<std::string> gcodeToHpgl(std::string_view gcode, const HpglOptions&) {
    return writeHpgl(gcode, nullptr,
                     [](PieceBuffer& buffer) { return std::move(buffer).release(); });
}

Result<std::uint64_t> gcodeToHpgl(std::string_view gcode, ExportSink& sink, const HpglOptions&) {
    return writeHpgl(gcode, &sink, [](PieceBuffer& buffer) { return buffer.finish(); });
}

}  // namespace talmir::exporters
