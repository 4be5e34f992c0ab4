#include "core/export/G81ToContours.h"

#include "core/export/DrillCycle.h"
#include "core/export/ExportText.h"
#include "core/graphic/Turtle.h"
#include "core/text/Lines.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <algorithm>
#include <array>
#include <optional>

namespace talmir::exporters {

namespace {

constexpr std::string_view kEol = "\r\n";
// Passes go on while the shorter side is at least this long.
constexpr float kSmallestSideMm = 0.01f;

// Reads the word `letter` of `line` into `value` when the line has one: the
// characters "0123456789.-+" after the letter; a number without a point is in
// thousandths (X10000 is 10 mm).
void readWord(std::string_view line, char letter, float& value) {
    const std::size_t at = line.find(letter);
    if (at == std::string_view::npos) {
        return;
    }
    const std::string_view rest = line.substr(at + 1);
    const std::string_view number = rest.substr(0, rest.find_first_not_of("0123456789.-+"));
    const double read = text::numericValue(number);
    if (number.find('.') != std::string_view::npos) {
        value = static_cast<float>(read);
        return;
    }
    value =
        static_cast<float>(text::numericValue(text::formatPicture(read * 0.001, "####0.0#######")));
}

struct Step {
    float lengthMm;
    float directionDeg;
};

// One pass of the figure A x B around the turtle's position (the hole centre): the
// moves to its starting point, the rapid move there and the clockwise contour; with
// `back`, the moves back to the centre and a rapid move there.
void appendPass(graphic::Turtle& t, G81Shape shape, bool alongX, float a2, float b2, bool back) {
    const float a = a2 / 2;
    const float b = b2 / 2;
    const bool round = shape == G81Shape::Round;
    // The moves from the centre to the starting point (one or two).
    std::array<Step, 2> start{};
    std::size_t moves = 1;
    if (round) {
        start = alongX ? std::array<Step, 2>{Step{b, 90}, Step{a - b, 0}}
                       : std::array<Step, 2>{Step{a, 0}, Step{b - a, 270}};
        moves = 2;
    } else {
        start[0] = alongX ? Step{b, 90} : Step{a, 0};
    }
    for (std::size_t k = 0; k < moves; ++k) {
        t.move(start[k].lengthMm, start[k].directionDeg);
    }
    t.write("G00X");
    if (round && alongX) {
        t.halfCircle(b2, 270, b);
        t.line(a2 - b2, 180);
        t.halfCircle(b2, 90, b);
        t.line(a2 - b2, 0);
    } else if (round) {
        t.halfCircle(a2, 180, a);
        t.line(b2 - a2, 90);
        t.halfCircle(a2, 0, a);
        t.line(b2 - a2, 270);
    } else if (alongX) {
        for (const Step& s : {Step{a, 0}, {b2, 270}, {a2, 180}, {b2, 90}, {a, 0}}) {
            t.line(s.lengthMm, s.directionDeg);
        }
    } else {
        for (const Step& s : {Step{b, 270}, {a2, 180}, {b2, 90}, {a2, 0}, {b, 270}}) {
            t.line(s.lengthMm, s.directionDeg);
        }
    }
    if (back) {
        for (std::size_t k = 0; k < moves; ++k) {
            t.move(start[k].lengthMm, start[k].directionDeg + 180);
        }
        t.write("G00X");
    }
}

void appendContour(std::string& out, float x, float y, const G81ContourOptions& o) {
    graphic::Turtle t(out, x, y, o.angleDeg);
    t.write("G00X");
    t.write("G01X");
    // A slot lies along its longer side; a square slot is a circle.
    const bool alongX = o.shape == G81Shape::Round ? o.ySizeMm < o.xSizeMm : o.ySizeMm <= o.xSizeMm;
    if (o.fillMm <= 0) {
        appendPass(t, o.shape, alongX, o.xSizeMm, o.ySizeMm, false);
        return;
    }
    // Both sides shrink together, the first pass being the requested outline itself.
    for (int pass = 0;; ++pass) {
        const float shrink = 2 * o.fillMm * static_cast<float>(pass);
        const float a2 = o.xSizeMm - shrink;
        const float b2 = o.ySizeMm - shrink;
        if ((alongX ? b2 : a2) < kSmallestSideMm) {
            break;
        }
        appendPass(t, o.shape, alongX, a2, b2, true);
    }
}

std::optional<Failure> checkOptions(const G81ContourOptions& o) {
    if (!(o.xSizeMm > 0) || !(o.ySizeMm > 0)) {
        return Failure::message("サイズは0より大きい値にしてください");
    }
    if (o.fillMm > 0) {
        const float shorter = std::min(o.xSizeMm, o.ySizeMm);
        if (double(shorter) / (2 * double(o.fillMm)) > kMaxFillPasses) {
            return Failure::message("塗りの値が小さすぎます");
        }
    }
    return std::nullopt;
}

}  // namespace

Result<std::string> g81Contours(std::string_view sectionLine, std::string_view nodeFile,
                                const G81ContourOptions& options) {
    if (auto failure = checkOptions(options)) {
        return *failure;
    }
    std::string out;
    float x = 0;
    float y = 0;
    DrillCycleReader cycle(sectionLine);
    if (cycle.sectionLineIsHole()) {
        readWord(sectionLine, 'X', x);
        readWord(sectionLine, 'Y', y);
        appendContour(out, x, y, options);
    }
    text::LineReader reader(nodeFile);
    for (std::string_view line; reader.next(line);) {
        readWord(line, 'X', x);
        readWord(line, 'Y', y);
        if (cycle.isHole(line)) {
            appendContour(out, x, y, options);
        } else {
            out.append(line);
            out.append(kEol);
        }
    }
    return out;
}

Result<std::string> g81ProgramContours(
    std::string_view program,
    const std::function<G81ContourOptions(std::size_t row, std::string_view sectionLine)>&
        optionsOf) {
    SectionSplit split = splitSections(text::saveWithLineEnd(program, text::LineEnd::CrLf));
    if (split.failure) {
        return *split.failure;
    }
    std::size_t row = 0;
    for (SectionNode& node : split.nodes) {
        if (row == kMaxSections || !isG81Section(node.name, node.data)) {
            continue;
        }
        auto converted = g81Contours(node.name, node.data, optionsOf(++row, node.name));
        if (!converted) {
            return converted.failure();
        }
        node.data = std::move(converted.value());
    }
    if (row == 0) {
        return nothingToConvertFailure();
    }
    std::string out;
    for (const SectionNode& node : split.nodes) {
        appendSection(out, node.name, node.data);
    }
    return out;
}

}  // namespace talmir::exporters
