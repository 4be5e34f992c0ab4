#include "core/import/WireToMilling.h"

#include "core/Pieces.h"

#include "core/import/WireCode.h"
#include "core/text/Lines.h"

#include <array>

namespace talmir::importers {

namespace {

using wire::has;

constexpr std::array kHead{
    "#1=5.(KAKOU-FUKASA)",
    "#2=1.(STEP-FUKASA)",
    "#3=1.(ENDMIL-KEI)",
    "G17G90G00G80G40G49G54",
    "#1=ABS[#1]",
    "#2=ABS[#2]",
    "#3=ABS[#3]",
    "IF [#1 LT #2 ] GOTO999",
    // Centre drilling of the start holes.
    "(CENTER-DR)",
    "G65P777T21S5000",
    "G98G81",
    "G66P888Z-1.R3.Q1.F35",
    "M98P1",
    "G67",
    "G80",
    "M09",
    "M05",
    // Drilling through.
    "(DRN--6.5)",
    "G65P777T1S730",
    "G98G83",
    "G66P888Z-#1R3.Q1.F10.5",
    "M98P1",
    "G67",
    "G80",
    "M09",
    "M05",
    // The contour, #2 deeper each time round, the last pass at the full depth.
    "(EMS4-6.0)",
    "G65P777T02S1900",
    "G00Z50.",
    "#10=0",
    "#5=#3*.5",
    "H100=#5",
    "N100",
    "#10=#10+#2",
    "G65P2Z-#10F35",
    "IF [#10 LT #1] GOTO100",
    "G65P2Z-#1F35",
    "G90G00Z10.",
    "M09",
    "M05",
    "G91G28Z0",
    "G49",
    "G28Y0",
    "M30",
    "N999 M00 (#1 OR #2 ---ERROR)",
    "M30",
    // Tool change: T#20 and S#19 come from the G65 call.
    "O777",
    "(TOOL-SET)",
    "G91G28Z0",
    "G49M06T#20",
    "G90G00X0Y0",
    "G43Z50.H#20",
    "S#19",
    "M08",
    "M03",
    "M99",
    // The fixed cycle called modally by G66 at every hole of O1.
    "O888",
    "(KOTEI-CICLE)",
    "G#4010G#4009Z#26R#18Q#17F#9",
    "M99",
    "O1",
    "(DRL-XY)",
};

// The X and Y number texts of the last line that gave them.
struct Position {
    std::string x;
    std::string y;

    // Takes the characters "0123456789.-" after the first `letter` of `code`, if
    // the letter is there; true when it is.
    static bool take(std::string_view code, char letter, std::string& text) {
        const auto at = code.find(letter);
        if (at == std::string_view::npos) {
            return false;
        }
        const auto end = code.find_first_not_of("0123456789.-", at + 1);
        text.assign(code.substr(at + 1, end == std::string_view::npos ? end : end - at - 1));
        return true;
    }

    // True when the line has X or Y.
    bool update(std::string_view code) {
        const bool hasX = take(code, 'X', x);
        const bool hasY = take(code, 'Y', y);
        return hasX || hasY;
    }

    std::string words() const { return "X" + x + "Y" + y; }
};

void put(std::string& out, std::string_view line) {
    out.append(line);
    out.append("\r\n");
}

// The program made from `input`, into `pieces`: the input is read twice.
void convert(InputBytes& input, PieceBuffer& pieces) {
    const std::string_view wireBytes = input.bytes();
    std::string& out = pieces.text();
    for (const char* line : kHead) {
        put(out, line);
    }

    // The start holes: where the wire is threaded.
    Position at;
    std::string buffer;
    {
        text::LineReader reader(wireBytes);
        for (std::string_view line; reader.next(line);) {
            const std::string_view code = wire::codeOf(line, buffer);
            // The X of a dwell is its time, not a place.
            if (!has(code, "G04")) {
                at.update(code);
            }
            if (has(code, "M60") && !has(code, "G50")) {
                put(out, at.words());
            }
            pieces.handOverWhenFull();
            input.readTo(static_cast<std::size_t>(line.data() - wireBytes.data()));
        }
    }
    put(out, "M99");

    // The contour. The position carries over from the end of the program, as
    // the wire's own G92 start lines are left out here.
    put(out, "O2");
    put(out, "(ENDMILE-XY)");
    text::LineReader reader(wireBytes);
    for (std::string_view line; reader.next(line);) {
        pieces.handOverWhenFull();
        input.readTo(static_cast<std::size_t>(line.data() - wireBytes.data()));
        const std::string_view code = wire::codeOf(line, buffer);
        if (has(code, "M60")) {
            // Threading where a rapid move ends: the mill goes there before it
            // plunges, into the hole drilled at that place (G92 and G50 only set it).
            if (!has(code, "G92") && !has(code, "G50") && at.update(code)) {
                put(out, "G00" + at.words());
            }
            put(out, "G00Z3.");
            put(out, "G01Z-#26F50.");
        } else if (has(code, "M50")) {
            put(out, "G00Z50.");
        } else if (has(code, "G04") || has(code, "G92")) {
            continue;
        } else {
            const bool moves = at.update(code);
            if (has(code, "G42") || has(code, "G41")) {
                put(out, "G42G01" + at.words() + "H100F#9");
            } else if (has(code, "G40")) {
                put(out, "G40G01" + at.words());
            } else if (moves) {
                put(out, line);
            }
        }
    }
    put(out, "M99");
}

}  // namespace

std::string wireToMilling(std::string_view wireBytes) {
    InputBytes input(wireBytes);
    PieceBuffer pieces(nullptr, wireBytes.size() * 2 + 1024);
    convert(input, pieces);
    return std::move(pieces).release();
}

std::uint64_t wireToMilling(InputBytes& input, PieceSink& sink) {
    PieceBuffer pieces(&sink, 0);
    convert(input, pieces);
    return pieces.finish();
}

}  // namespace talmir::importers
