#include "core/export/GcodeToIges.h"

#include "core/export/ExportText.h"
#include "core/export/IgesRecords.h"
#include "core/text/GcodeDialect.h"
#include "core/text/Lines.h"

#include <optional>
#include <utility>

namespace talmir::exporters {

namespace {

const text::NumberPicture kNumber("######0.0###");

enum class LineKind { Line, ClockwiseArc, CounterClockwiseArc, Point, Nothing, Section };

// The codes a line holds anywhere: one walk over its "G"s instead of a search per code.
struct Codes {
    bool g0 = false;  // "G0" followed by anything
    bool g00 = false;
    bool g01 = false;
    bool g02 = false;
    bool g03 = false;
    bool g81 = false;
};

Codes codesOf(std::string_view line) {
    Codes codes;
    for (std::size_t at = line.find('G'); at != std::string_view::npos;
         at = line.find('G', at + 1)) {
        const char a = at + 1 < line.size() ? line[at + 1] : '\0';
        const char b = at + 2 < line.size() ? line[at + 2] : '\0';
        if (a == '0') {
            codes.g0 = true;
            codes.g00 = codes.g00 || b == '0';
            codes.g01 = codes.g01 || b == '1';
            codes.g02 = codes.g02 || b == '2';
            codes.g03 = codes.g03 || b == '3';
        } else if (a == '8' && b == '1') {
            codes.g81 = true;
        }
    }
    return codes;
}

// A line is tested for G01, G02, G03, G81 in that order; then an empty line or a
// rapid is nothing, and anything else a section line.
LineKind kindOf(std::string_view line, const Codes& codes) {
    if (codes.g01) {
        return LineKind::Line;
    }
    if (codes.g02) {
        return LineKind::ClockwiseArc;
    }
    if (codes.g03) {
        return LineKind::CounterClockwiseArc;
    }
    if (codes.g81) {
        return LineKind::Point;
    }
    if (line.empty() || codes.g00) {
        return LineKind::Nothing;
    }
    return LineKind::Section;
}

// A coordinate and the NumberText that writes it.
struct Cached {
    NumberText& text;
    double value;
};

// Parameter text of one entity, written into a buffer that is reused:
//   (Parameters(buffer, "116") << Cached{tx, 10} << Cached{ty, 5} << ",0,0;").text()
// gives 116,10.0,5.0,0,0;
class Parameters {
public:
    Parameters(std::string& buffer, std::string_view head) : m_text(buffer) { m_text.assign(head); }
    // A number through its NumberText, after a comma.
    Parameters& operator<<(Cached number) {
        m_text.push_back(',');
        m_text.append(number.text.text(number.value));
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
        const LineKind kind = kindOf(line, codesOf(line));
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

// The whole IGES file into `sink`, or into the writer's text when there is none.
template <class Done>
auto writeIges(std::string_view gcode, const IgesOptions& options, ExportSink* sink, Done done)
    -> Result<decltype(done(std::declval<IgesWriter&>()))> {
    GcodePlace place(gcode);
    try {
        // G-code of other programs is read as if this program had written it.
        const std::optional<std::string> own = text::ownGcode(gcode, text::StillMoves::LeaveOut);
        if (own) {
            gcode = *own;
        }
        IgesWriter iges(options.caption, options.date, options.time, countEntities(gcode), sink);
        std::string buffer;
        int level = 0;
        float px = 0;
        float py = 0;
        float x = 0;
        float y = 0;
        float i = 0;
        float j = 0;
        // Texts of the current position and of the line's end point; they swap
        // after each line, so the start of an entity is the end of the one before.
        NumberText texts[2][2] = {{NumberText(kNumber), NumberText(kNumber)},
                                  {NumberText(kNumber), NumberText(kNumber)}};
        NumberText centre[2] = {NumberText(kNumber), NumberText(kNumber)};
        int current = 0;
        text::LineReader lines(gcode);
        for (std::string_view line; lines.next(line);) {
            place.item = line;
            const Codes codes = codesOf(line);
            if (codes.g81 || codes.g0) {
                readWords(line, x, y, i, j);
            }
            const Cached p[2] = {{texts[current][0], px}, {texts[current][1], py}};
            const Cached e[2] = {{texts[1 - current][0], x}, {texts[1 - current][1], y}};
            const Cached c[2] = {{centre[0], px + i}, {centre[1], py + j}};
            // An arc runs counter-clockwise from its first point to its second, so a
            // clockwise G02 from P to (X, Y) is written from (X, Y) to P.
            switch (kindOf(line, codes)) {
                case LineKind::Line:
                    iges.add(110, level, "LINE    ",
                             (Parameters(buffer, "110")
                              << p[0] << p[1] << ",0." << e[0] << e[1] << ",0.0;")
                                 .text());
                    break;
                case LineKind::ClockwiseArc:
                    iges.add(100, level, "ARC     ",
                             (Parameters(buffer, "100,0.")
                              << c[0] << c[1] << e[0] << e[1] << p[0] << p[1] << ";")
                                 .text());
                    break;
                case LineKind::CounterClockwiseArc:
                    iges.add(100, level, "ARC     ",
                             (Parameters(buffer, "100,0.")
                              << c[0] << c[1] << p[0] << p[1] << e[0] << e[1] << ";")
                                 .text());
                    break;
                case LineKind::Point:
                    iges.add(116, level, "POINT   ",
                             (Parameters(buffer, "116") << e[0] << e[1] << ",0,0;").text());
                    break;
                case LineKind::Nothing:
                    break;
                case LineKind::Section:
                    ++level;
                    break;
            }
            px = x;
            py = y;
            current = 1 - current;
        }
        return done(iges);
    } catch (const Failure& failure) {
        return place.placed(failure);
    }
}

}  // namespace

Result<std::string> gcodeToIges(std::string_view gcode, const IgesOptions& options) {
    return writeIges(gcode, options, nullptr,
                     [](IgesWriter& iges) { return std::move(iges).finish(); });
}

Result<std::uint64_t> gcodeToIges(std::string_view gcode, const IgesOptions& options,
                                  ExportSink& sink) {
    return writeIges(gcode, options, &sink, [](IgesWriter& iges) { return iges.finishPieces(); });
}

}  // namespace talmir::exporters
