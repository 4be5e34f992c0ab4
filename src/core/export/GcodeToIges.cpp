#include "export/GcodeToIges.h"

#include "export/ExportText.h"
#include "export/IgesRecords.h"
#include "text/Lines.h"

namespace talmir::exporters {

namespace {

const text::NumberPicture kNumber("######0.0###");

enum class LineKind { Line, ClockwiseArc, CounterClockwiseArc, Point, Nothing, Section };

LineKind kindOf(std::string_view line) {
    if (contains(line, "G01")) {
        return LineKind::Line;
    }
    if (contains(line, "G02")) {
        return LineKind::ClockwiseArc;
    }
    if (contains(line, "G03")) {
        return LineKind::CounterClockwiseArc;
    }
    if (contains(line, "G81")) {
        return LineKind::Point;
    }
    if (line.empty() || contains(line, "G00")) {
        return LineKind::Nothing;
    }
    return LineKind::Section;
}

// Parameter text of one entity, written into a buffer that is reused:
//   (Parameters(buffer, "116") << x << y << ",0,0;").text()  gives  116,10.0,5.0,0,0;
class Parameters {
public:
    Parameters(std::string& buffer, std::string_view head) : m_text(buffer) { m_text.assign(head); }
    // A number, after a comma.
    Parameters& operator<<(double value) {
        m_text.push_back(',');
        appendNumber(m_text, kNumber, value);
        return *this;
    }
    Parameters& operator<<(std::string_view literal) {
        m_text.append(literal);
        return *this;
    }
    std::string_view text() const { return m_text; }

private:
    std::string& m_text;
};

std::size_t countEntities(std::string_view gcode) {
    std::size_t count = 0;
    text::LineReader lines(gcode);
    for (std::string_view line; lines.next(line);) {
        const LineKind kind = kindOf(line);
        count += kind != LineKind::Nothing && kind != LineKind::Section;
    }
    return count;
}

void readWords(std::string_view line, float& x, float& y, float& i, float& j) {
    x = singleWord(line, 'X', x);
    y = singleWord(line, 'Y', y);
    i = singleWord(line, 'I', i);
    j = singleWord(line, 'J', j);
}

}  // namespace

Result<std::string> gcodeToIges(std::string_view gcode, const IgesOptions& options) {
    try {
        IgesWriter iges(options.caption, options.date, options.time, countEntities(gcode));
        std::string buffer;
        int level = 0;
        float px = 0;
        float py = 0;
        float x = 0;
        float y = 0;
        float i = 0;
        float j = 0;
        text::LineReader lines(gcode);
        for (std::string_view line; lines.next(line);) {
            if (contains(line, "G81") || contains(line, "G0")) {
                readWords(line, x, y, i, j);
            }
            // An arc runs counter-clockwise from its first point to its second, so a
            // clockwise G02 from P to (X, Y) is written from (X, Y) to P.
            const float cx = px + i;
            const float cy = py + j;
            switch (kindOf(line)) {
                case LineKind::Line:
                    iges.add(110, level, "LINE    ",
                             (Parameters(buffer, "110") << px << py << ",0." << x << y << ",0.0;")
                                 .text());
                    break;
                case LineKind::ClockwiseArc:
                    iges.add(100, level, "ARC     ",
                             (Parameters(buffer, "100,0.") << cx << cy << x << y << px << py << ";")
                                 .text());
                    break;
                case LineKind::CounterClockwiseArc:
                    iges.add(100, level, "ARC     ",
                             (Parameters(buffer, "100,0.") << cx << cy << px << py << x << y << ";")
                                 .text());
                    break;
                case LineKind::Point:
                    iges.add(116, level, "POINT   ",
                             (Parameters(buffer, "116") << x << y << ",0,0;").text());
                    break;
                case LineKind::Nothing:
                    break;
                case LineKind::Section:
                    ++level;
                    break;
            }
            px = x;
            py = y;
        }
        return std::move(iges).finish();
    } catch (const Failure& failure) {
        return failure;
    }
}

}  // namespace talmir::exporters
