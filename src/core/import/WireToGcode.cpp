#include "core/import/WireToGcode.h"

#include "core/Pieces.h"

#include "core/import/RadiusArc.h"
#include "core/import/WireCode.h"
#include "core/import/WireShapes.h"
#include "core/text/Lines.h"
#include "core/text/NumberPicture.h"

#include <cmath>

namespace talmir::importers {

namespace {

using wire::has;

constexpr std::size_t kProgressLines = 4096;
const text::NumberPicture kPosition("######0.0####");

float finite(float value) {
    if (!std::isfinite(value)) {
        throw overflowFailure();
    }
    return value;
}

// The millimetres of the word `letter`, when the line has it.
bool word(std::string_view code, char letter, float& value) {
    const std::size_t at = code.find(letter);
    if (at == std::string_view::npos) {
        return false;
    }
    value = wire::wireMillimetres(wire::numberText(code, at));
    return true;
}

class Translator {
public:
    Translator(PieceSink* sink, std::size_t reserve, const WireGcodeOptions& options)
        : m_options(options), m_pieces(sink, reserve), m_out(m_pieces.text()) {
        m_h.fill(0.0f);
        for (std::size_t r : {110, 120, 130, 140, 150}) {
            m_h[r] = 0.2f;
        }
    }

    WireStep step = WireStep::Program;

    // Translates `input`; gives the length of the program.
    std::uint64_t run(InputBytes& input) {
        m_out.append("D10\r\nG00X0Y0\r\n");
        std::string buffer;
        text::LineReader reader(input.bytes());
        std::size_t count = 0;
        for (std::string_view line; reader.next(line);) {
            m_pieces.handOverWhenFull();
            input.readTo(static_cast<std::size_t>(line.data() - input.bytes().data()));
            if (++count % kProgressLines == 0 && m_options.progress) {
                m_options.progress();
            }
            step = WireStep::Line;
            translate(wire::codeOf(line, buffer));
        }
        step = WireStep::Program;
        m_out.append("M30\r\n");
        return m_pieces.finish();
    }

    std::string program() && { return std::move(m_pieces).release(); }

private:
    float& reg(std::string_view code, std::size_t letter) {
        const std::string_view digits = wire::numberText(code, letter, "0123456789");
        if (digits.empty() || digits.size() > 3) {
            throw subscriptFailure();
        }
        const int n = std::stoi(std::string(digits));
        if (n > wire::kLastRegister) {
            throw subscriptFailure();
        }
        return m_h[static_cast<std::size_t>(n)];
    }

    // H100=20. H200=10000 (thousandths: 10 mm), any number of them on a line.
    void assignRegisters(std::string_view code) {
        for (std::size_t at = code.find('H'); at != std::string_view::npos;
             at = code.find('H', at + 1)) {
            const std::size_t eq = at + 1 + wire::numberText(code, at, "0123456789").size();
            if (eq < code.size() && code[eq] == '=') {
                reg(code, at) = wire::wireMillimetres(wire::numberText(code, eq));
            }
        }
    }

    // K30.  KH101+15.  K-H101: the turn of the next cycle in degrees, numbers and
    // registers added up (a number without a point in thousandths, like every
    // other number here); a negative turn counts from 360.
    void turn(std::string_view code) {
        const std::size_t k = code.find('K');
        float angle = 0;
        std::size_t at = k + 1;
        while (true) {
            while (at < code.size() && code[at] == ' ') {
                ++at;
            }
            float sign = 1;
            if (at < code.size() && (code[at] == '+' || code[at] == '-')) {
                sign = code[at] == '-' ? -1.0f : 1.0f;
                ++at;
            }
            float term = 0;
            if (at < code.size() && code[at] == 'H') {
                term = reg(code, at);
                at += 1 + wire::numberText(code, at, "0123456789").size();
            } else {
                const std::string_view number =
                    code.substr(at, code.substr(at).find_first_not_of("0123456789."));
                if (number.empty()) {
                    break;
                }
                term = wire::wireMillimetres(number);
                at += number.size();
            }
            angle = finite(angle + sign * term);
        }
        m_turnDeg = angle < 0 ? angle + 360 : angle;
    }

    void cycle(std::string_view code) {
        const std::size_t l = code.find('L');
        const std::string_view digits = wire::numberText(code, l, "0123456789");
        const int shape = digits.empty() || digits.size() > 6 ? -1 : std::stoi(std::string(digits));
        step = WireStep::ShapeCycle;
        wire::appendShapeCycle(m_out, shape, m_h, m_x, m_y, m_turnDeg);
        m_cutting = false;
        m_turnDeg = 0;
    }

    void translate(std::string_view code);

    void put(std::string_view word, float x, float y) {
        m_out.append(word);
        m_out.push_back('X');
        kPosition.append(m_out, double(x));
        m_out.push_back('Y');
        kPosition.append(m_out, double(y));
    }

    const WireGcodeOptions& m_options;
    wire::Registers m_h{};
    PieceBuffer m_pieces;
    std::string& m_out;  // the text of m_pieces
    bool m_cutting = true;
    bool m_incremental = false;
    int m_motion = 0;  // G00 to G03
    float m_turnDeg = 0;
    float m_x = 0;  // the output position
    float m_y = 0;
    float m_wordX = 0;  // the X and Y last written in the program
    float m_wordY = 0;
    wire::Origin m_origin;
};

void Translator::translate(std::string_view code) {
    bool dwell = false;
    bool g92 = false;
    bool shape = false;
    wire::forEachWord(code, 'G', [&](int g) {
        dwell = dwell || g == 4;
        g92 = g92 || g == 92;
        shape = shape || g == 22;
        if (g == 41 || g == 42 || g == 44) {
            m_cutting = true;
        } else if (g <= 3) {
            m_motion = g;
        } else if (g == 90 || g == 91) {
            m_incremental = g == 91;
        }
    });
    if (dwell) {
        return;
    }
    wire::forEachWord(code, 'M', [&](int m) {
        if (m == 0 || m == 1 || m == 2 || m == 21 || m == 50) {
            m_cutting = false;
        } else if (m == 20 || m == 60 || m == 84) {
            m_cutting = true;
        }
    });
    if (has(code, "=")) {
        assignRegisters(code);
        return;
    }
    if (has(code, "K")) {
        turn(code);
    }
    if (shape && has(code, "L")) {
        cycle(code);
        return;
    }
    float x = 0;
    float y = 0;
    const bool hasX = word(code, 'X', x);
    const bool hasY = word(code, 'Y', y);
    m_wordX = hasX ? x : m_wordX;
    m_wordY = hasY ? y : m_wordY;
    if (g92) {
        m_origin = {m_x, m_y, m_wordX, m_wordY};
        return;
    }
    float i = 0;
    float j = 0;
    float r = 0;
    const bool hasI = word(code, 'I', i);
    const bool hasJ = word(code, 'J', j);
    const bool hasR = word(code, 'R', r);
    if (!hasX && !hasY && !hasI && !hasJ) {
        return;
    }
    const float fromX = m_x;
    const float fromY = m_y;
    if (m_incremental) {
        m_x = finite(m_x + (hasX ? x : 0.0f));
        m_y = finite(m_y + (hasY ? y : 0.0f));
    } else {
        m_x = finite(m_origin.x(m_wordX));
        m_y = finite(m_origin.y(m_wordY));
    }
    if (m_motion <= 1) {
        put(m_motion == 1 && m_cutting ? "G01" : "G00", m_x, m_y);
    } else if (hasR) {
        appendRadiusArc(m_out, m_motion == 2 ? "G02" : "G03", fromX, fromY, m_x, m_y, r);
    } else {
        put(m_motion == 2 ? "G02" : "G03", m_x, m_y);
        m_out.push_back('I');
        kPosition.append(m_out, double(i));
        m_out.push_back('J');
        kPosition.append(m_out, double(j));
    }
    m_out.append("\r\n");
}

}  // namespace

Result<std::string> wireToGcode(std::string_view program, const WireGcodeOptions& options,
                                WireStep* failedAt) {
    InputBytes input(program);
    Translator translator(nullptr, program.size() + program.size() / 2 + 64, options);
    auto result = guardReading(input, [&] {
        translator.run(input);
        return std::move(translator).program();
    });
    if (failedAt != nullptr) {
        *failedAt = translator.step;
    }
    return result;
}

Result<std::uint64_t> wireToGcode(InputBytes& input, PieceSink& sink,
                                  const WireGcodeOptions& options, WireStep* failedAt) {
    Translator translator(&sink, 0, options);
    auto result = guardReading(input, [&] { return translator.run(input); });
    if (failedAt != nullptr) {
        *failedAt = translator.step;
    }
    return result;
}

}  // namespace talmir::importers
