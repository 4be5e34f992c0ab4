#include "core/import/WirFmt.h"

#include "core/Pieces.h"

#include "core/import/RadiusArc.h"
#include "core/import/WireCode.h"
#include "core/text/Lines.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <cfloat>
#include <cmath>
#include <map>
#include <vector>

namespace talmir::importers {

namespace {

using wire::has;

constexpr int kLastVariable = 9000;
constexpr std::uint64_t kProgressLines = 4096;
constexpr std::string_view kEol = "\r\n";

const text::NumberPicture kCoordinate("#######0.0####");
const text::NumberPicture kTaper("####0.0####");

// A value the single-precision variables and coordinates can hold, or the
// overflow the program reports (no "Infinity" reaches the text).
float single(double value) {
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX))) {
        throw overflowFailure();
    }
    return static_cast<float>(value);
}

std::size_t skipBlanks(std::string_view s, std::size_t at) {
    while (at < s.size() && (s[at] == ' ' || s[at] == '\t' || s[at] == '[')) {
        ++at;
    }
    return at;
}

class Expander {
public:
    Expander(PieceSink* sink, std::size_t reserve, const WirFmtOptions& options)
        : m_options(options),
          m_variables(kLastVariable + 1, 0.0f),
          m_pieces(sink, reserve),
          m_out(m_pieces.text()) {}

    // Expands `input`; gives the length of the program.
    std::uint64_t run(InputBytes& input) {
        m_main = &input;
        m_out.append("G40\r\nG00X0Y0\r\n");
        expand(input.bytes(), 0);
        if (!m_label.empty()) {
            // The label lies behind the jump, or nowhere: either way the rest of
            // the program would be lost.
            Failure failure = Failure::message(m_label + "が見つかりませんでした");
            failure.at = m_jumpAt;  // the jump's own line
            throw failure;
        }
        return m_pieces.finish();
    }

    std::string program() && { return std::move(m_pieces).release(); }

private:
    void expand(std::string_view text, int depth) {
        std::string buffer;
        text::LineReader reader(text);
        for (std::string_view line; reader.next(line);) {
            m_pieces.handOverWhenFull();
            if (depth == 0) {
                m_main->readTo(static_cast<std::size_t>(line.data() - text.data()));
            }
            if (++m_linesRead > kMaxExpandedLines) {
                throw Failure::message("展開する行数が多すぎます");
            }
            if (m_linesRead % kProgressLines == 0 && m_options.progress) {
                m_options.progress();
            }
            const std::string_view code = wire::codeOf(line, buffer);
            if (!m_label.empty()) {
                // Skipping to the label: a call on the way is skipped too.
                if (!has(code, m_label)) {
                    continue;
                }
                m_label.clear();
            }
            // M98P1000, or N20M98P1000 when the call is a jump's label.
            std::size_t start = code.find_first_not_of(" \t");
            if (start != std::string_view::npos && code[start] == 'N') {
                start = code.find_first_not_of("0123456789 \t", start + 1);
            }
            if (start != std::string_view::npos && code.substr(start).starts_with("M98P")) {
                call(code.substr(start + 4), depth);
            } else {
                process(code);
            }
        }
    }

    // M98P1000: the file "O1000", read once, expanded like the main program.
    void call(std::string_view afterP, int depth) {
        const std::string name =
            "O" + std::string(afterP.substr(0, afterP.find_first_not_of("0123456789")));
        if (depth == kMaxSubprogramDepth) {
            throw Failure::message(name + "の呼び出しが8重を超えています");
        }
        auto known = m_subprograms.find(name);
        if (known == m_subprograms.end()) {
            std::optional<std::string> bytes;
            if (m_options.subprogram) {
                bytes = m_options.subprogram(name);
            }
            if (!bytes) {
                throw Failure::message(name + "が登録されていません");
            }
            known = m_subprograms.emplace(name, std::move(*bytes)).first;
        }
        expand(known->second, depth + 1);
    }

    // The variable named by the digits after the "#" at `hash` (#0 when there are
    // none).
    static std::string_view variableDigits(std::string_view code, std::size_t hash) {
        return wire::numberText(code, hash, "0123456789");
    }
    float& variable(std::string_view code, std::size_t hash) {
        const std::string_view digits = variableDigits(code, hash);
        const double index = text::quickNumericValue(digits);
        if (digits.size() > 4 || index > kLastVariable) {
            throw subscriptFailure();
        }
        return m_variables[static_cast<std::size_t>(index)];
    }

    // An operand at `at` of an assignment or a comparison: a variable (#12, -#12)
    // or a number; false, with `at` unchanged, when there is none.
    bool operand(std::string_view s, std::size_t& at, float& value) {
        std::size_t p = skipBlanks(s, at);
        if (p >= s.size()) {
            return false;
        }
        const bool negated = p + 1 < s.size() && s[p] == '-' && s[p + 1] == '#';
        p += negated ? 1 : 0;
        if (p < s.size() && s[p] == '#') {
            const float v = variable(s, p);
            value = negated ? -v : v;
            at = p + 1 + variableDigits(s, p).size();
            return true;
        }
        std::size_t used = 0;
        const double v = text::numericValue(s.substr(p), used);
        if (used == 0) {
            return false;
        }
        value = single(v);
        at = p + used;
        return true;
    }

    // The value of the word `letter`: a variable (X#101, X-#101) or the number
    // after the letter; false when the line has no such letter.
    bool word(std::string_view code, char letter, float& value) {
        const std::size_t at = code.find(letter);
        if (at == std::string_view::npos) {
            return false;
        }
        std::size_t p = at + 1;
        if (p < code.size() && code[p] == '#') {
            value = variable(code, p);
            return true;
        }
        if (p + 1 < code.size() && code[p] == '-' && code[p + 1] == '#') {
            value = -variable(code, p + 1);
            return true;
        }
        value = single(text::quickNumericValue(wire::numberText(code, at)));
        return true;
    }

    // #n=#a, #n=#a+#b (or - * /), #n=10.5; a number may stand for either variable.
    void assign(std::string_view code) {
        const std::size_t eq = code.find('=');
        const std::size_t hash = code.find('#');
        if (hash == std::string_view::npos || hash > eq) {
            return;  // not a variable: nothing to keep
        }
        float& target = variable(code, hash);
        std::size_t at = eq + 1;
        float a = 0;
        if (!operand(code, at, a)) {
            target = 0;
            return;
        }
        at = skipBlanks(code, at);
        float b = 0;
        const char op = at < code.size() ? code[at] : '\0';
        if ((op == '+' || op == '-' || op == '*' || op == '/') && (++at, operand(code, at, b))) {
            if (op == '/' && b == 0) {
                throw divisionByZeroFailure();
            }
            const double x = a;
            const double y = b;
            a = single(op == '+' ? x + y : op == '-' ? x - y : op == '*' ? x * y : x / y);
        }
        target = a;
    }

    // IF[#a LT #b]GOTO10: the comparison, then the jump when it holds.
    void conditional(std::string_view code) {
        static constexpr std::string_view kOps[] = {"EQ", "GT", "LT", "NE", "GE", "LE"};
        const std::size_t afterIf = code.find("IF") + 2;
        const std::size_t goTo = code.find("GOTO", afterIf);
        const std::string_view test =
            code.substr(afterIf, goTo == std::string_view::npos ? goTo : goTo - afterIf);
        for (std::size_t k = 0; k < std::size(kOps); ++k) {
            const std::size_t op = test.find(kOps[k]);
            if (op == std::string_view::npos) {
                continue;
            }
            std::size_t at = 0;
            float a = 0;
            float b = 0;
            operand(test.substr(0, op), at, a);
            at = op + 2;
            operand(test, at, b);
            const bool holds = k == 0   ? a == b
                               : k == 1 ? a > b
                               : k == 2 ? a < b
                               : k == 3 ? a != b
                               : k == 4 ? a >= b
                                        : a <= b;
            if (holds && goTo != std::string_view::npos) {
                jump(code.substr(goTo + 4));
            }
            return;
        }
    }

    void jump(std::string_view label) {
        const std::size_t first = label.find_first_not_of(" \t");
        const std::size_t last = label.find_last_not_of(" \t");
        m_label = "N";
        m_jumpAt = m_main->reached();
        if (first != std::string_view::npos) {
            m_label.append(label.substr(first, last - first + 1));
        }
    }

    void put(std::string_view text) {
        m_out.append(text);
        m_out.append(kEol);
    }

    void putNumber(char letter, float value) {
        m_out.push_back(letter);
        kCoordinate.append(m_out, double(value));
    }

    // G92X5.Y3.: the current point is called (5, 3) from here on.
    void origin(std::string_view code) {
        put("G40");
        float x = 0;
        float y = 0;
        word(code, 'X', x);
        word(code, 'Y', y);
        m_origin = {m_x, m_y, x, y};
    }

    void process(std::string_view code);
    void move(std::string_view code, bool cancel, bool taper);

    const WirFmtOptions& m_options;
    std::vector<float> m_variables;
    std::map<std::string, std::string, std::less<>> m_subprograms;
    PieceBuffer m_pieces;
    std::string& m_out;            // the text of m_pieces
    InputBytes* m_main = nullptr;  // the main program
    std::string m_label;           // "N10" while skipping to it
    std::size_t m_jumpAt = 0;      // where the jump to it was read
    std::uint64_t m_linesRead = 0;
    bool m_incremental = false;
    int m_motion = 0;  // G00 to G03
    float m_x = 0;
    float m_y = 0;
    wire::Origin m_origin;
};

void Expander::process(std::string_view code) {
    if (has(code, "%")) {
        return;
    }
    bool dwell = false;
    bool g92 = false;
    wire::forEachWord(code, 'G', [&](int g) {
        dwell = dwell || g == 4;
        g92 = g92 || g == 92;
    });
    if (dwell) {
        return;
    }
    if (g92) {
        origin(code);
        return;
    }
    if (has(code, "#5041")) {
        m_variables[5041] = m_x;
    }
    if (has(code, "#5042")) {
        m_variables[5042] = m_y;
    }
    bool cancel = false;
    bool taper = false;  // G50 to G59: the taper words, which may carry a T
    wire::forEachWord(code, 'G', [&](int g) {
        if (g <= 3) {
            m_motion = g;
        } else if (g == 90 || g == 91) {
            m_incremental = g == 91;
        } else if (g == 41 || g == 42) {
            put(g == 41 ? "G41" : "G42");
        }
        cancel = cancel || g == 40;
        taper = taper || (g >= 50 && g <= 59) || g == 5;
    });
    if (has(code, "=")) {
        assign(code);
    } else if (has(code, "IF")) {
        conditional(code);
    } else if (const std::size_t goTo = code.find("GOTO"); goTo != std::string_view::npos) {
        jump(code.substr(goTo + 4));
    } else {
        move(code, cancel, taper);
    }
}

void Expander::move(std::string_view code, bool cancel, bool taper) {
    float x = 0;
    float y = 0;
    const bool hasX = word(code, 'X', x);
    const bool hasY = word(code, 'Y', y);
    if (!hasX && !hasY) {
        return;
    }
    float i = 0;
    float j = 0;
    word(code, 'I', i);
    word(code, 'J', j);
    if (const std::size_t t = code.find('T'); t != std::string_view::npos && taper) {
        const float angle = single(text::quickNumericValue(wire::numberText(code, t)));
        if (angle != 0) {
            m_out.push_back('T');
            kTaper.append(m_out, double(angle));
            m_out.append(kEol);
        }
    }
    if (cancel) {
        put("G40");
    }
    const float fromX = m_x;
    const float fromY = m_y;
    if (hasX) {
        m_x = single(m_incremental ? double(m_x + x) : double(m_origin.x(x)));
    }
    if (hasY) {
        m_y = single(m_incremental ? double(m_y + y) : double(m_origin.y(y)));
    }
    m_out.append(m_motion == 0 ? "G00" : m_motion == 1 ? "G01" : m_motion == 2 ? "G02" : "G03");
    putNumber('X', m_x);
    putNumber('Y', m_y);
    if (m_motion >= 2) {
        float r = 0;
        if (word(code, 'R', r)) {
            // The centre of an arc given by its radius; an offset that rounds to
            // nothing is 0.0, never "-0.0".
            const ArcCentre c = radiusArcCentre(fromX, fromY, m_x, m_y, r, m_motion == 2);
            auto offset = [](double v) { return std::fabs(v) < 5e-6 ? 0.0f : single(v); };
            i = offset(c.i);
            j = offset(c.j);
        }
        putNumber('I', i);
        putNumber('J', j);
    }
    m_out.append(kEol);
}

}  // namespace

Result<std::string> WirFmt(std::string_view program, const WirFmtOptions& options) {
    InputBytes input(program);
    return guardReading(input, [&] {
        Expander expander(nullptr, program.size() + 64, options);
        expander.run(input);
        return std::move(expander).program();
    });
}

Result<std::uint64_t> WirFmt(InputBytes& input, PieceSink& sink, const WirFmtOptions& options) {
    return guardReading(input, [&] { return Expander(&sink, 0, options).run(input); });
}

}  // namespace talmir::importers
