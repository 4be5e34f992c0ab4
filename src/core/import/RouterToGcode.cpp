#include "core/import/RouterToGcode.h"

#include "core/Pieces.h"

#include "core/import/BlockWords.h"
#include "core/import/RadiusArc.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <string>

namespace talmir::importers {

namespace {

using namespace blocks;

// X, Y, I and J of the records as read: one to four decimals.
const text::NumberPicture kCoordinatePicture("######0.0###");

constexpr std::string_view kEol = "\r\n";
constexpr std::size_t kProgressRecords = 4096;

[[noreturn]] void throwBadArgument() {
    throw Failure{5, "プロシージャの呼び出し、または引数が不正です。"};
}

bool has(std::size_t at) {
    return at != std::string_view::npos;
}

class RouterConverter {
public:
    RouterConverter(PieceSink* sink, std::size_t reserve, const RouterImportOptions& options)
        : m_options(options),
          m_pieces(sink, reserve),
          m_out(m_pieces.text()),
          m_incremental(options.incremental) {
        switch (options.unit) {
            case 0:
                m_factor = 1;
                break;
            case 1:
                m_factor = 0.01;
                break;
            case 2:
                m_factor = 0.001;
                break;
            default:
                throwBadArgument();
        }
    }

    // Converts `input`; gives the length of the program.
    std::uint64_t run(InputBytes& input);

    std::string program() && { return std::move(m_pieces).release(); }

private:
    void record(std::string_view record);
    double number(std::string_view record, std::size_t at) const {
        return checked(text::numericValue(numberAfter(record, at)) * m_factor);
    }
    void line(std::string_view text) { m_out.append(text).append(kEol); }

    const RouterImportOptions& m_options;
    double m_factor = 0.001;
    PieceBuffer m_pieces;
    std::string& m_out;  // the text of m_pieces

    bool m_incremental;
    std::string m_word = "G00";
    double m_lastZ = 1.0;  // the tool starts up
    std::string m_xText = "X0";
    std::string m_yText = "Y0";
    // Incremental sums; in absolute mode they follow the point, so that a G91 in
    // the middle of the data goes on from where the tool is.
    double m_sumX = 0;
    double m_sumY = 0;
    double m_x = 0;  // current point, mm
    double m_y = 0;
    double m_px = 0;  // previous point, mm
    double m_py = 0;
};

std::uint64_t RouterConverter::run(InputBytes& input) {
    const std::string_view text = input.bytes();
    line("D10");
    std::string current;
    std::size_t records = 0;
    bool inComment = false;
    std::size_t i = 0;
    auto flush = [&] {
        record(current);
        current.clear();
        m_pieces.handOverWhenFull();
        input.readTo(i + 1);  // the next record starts after the byte that ended this one
        inComment = false;    // a comment ends with its line
        if (++records % kProgressRecords == 0 && m_options.progress) {
            m_options.progress();
        }
    };
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) < 0x20) {
            flush();
        } else if (c == '%') {
            // "%" ends its record, which is skipped with it; what follows starts
            // the next one.
            current.push_back(c);
            flush();
        } else if (inComment) {
            inComment = c != ')';
        } else if (c == '(') {
            // A comment is no data: "( Units == INCHES. )" sets no I.
            inComment = true;
        } else {
            current.push_back(c);
        }
    }
    flush();
    return m_pieces.finish();
}

void RouterConverter::record(std::string_view record) {
    if (record.empty() || record.find('%') != std::string_view::npos) {
        return;
    }
    const std::size_t g = findWord(record, 'G');
    const std::size_t x = findWord(record, 'X');
    const std::size_t y = findWord(record, 'Y');
    const std::size_t i = findWord(record, 'I');
    const std::size_t j = findWord(record, 'J');
    const std::size_t r = findWord(record, 'R');
    const std::size_t z = findWord(record, 'Z');

    if (has(g)) {
        // Only motion codes set the motion word: "G04 P1" or "G90" followed by
        // "X1000Y1000" stays the move it was, not a dwell or a "G90X1.0Y1.0" line.
        const int code = codeAfter(record, g);
        if (code == 4) {
            return;  // a dwell ("G04 X5": X is its time) moves nothing
        }
        if (code == 1) {
            m_word = m_lastZ >= 0 ? "G00" : "G01";
        } else if (code <= 3 || (code >= 81 && code <= 89)) {
            m_word = code <= 3 ? "G0" : "G";
            m_word += std::to_string(code);
        }
    }
    if (record.find("G90") != std::string_view::npos) {
        m_incremental = false;
    }
    if (record.find("G91") != std::string_view::npos) {
        m_incremental = true;
    }
    if (has(findWord(record, 'T'))) {
        // A new tool starts its incremental coordinates from 0.
        m_sumX = 0;
        m_sumY = 0;
    }
    if (has(z)) {
        m_lastZ = number(record, z);
        m_word = m_lastZ > 0 ? "G00" : "G01";
    }
    auto axis = [&](std::size_t letter, char name, double& sum, double& point, std::string& t) {
        if (!has(letter)) {
            return;
        }
        const double value = number(record, letter);
        sum = m_incremental ? checked(sum + value) : value;
        point = sum;
        t.assign(1, name);
        kCoordinatePicture.append(t, point);
    };
    axis(x, 'X', m_sumX, m_x, m_xText);
    axis(y, 'Y', m_sumY, m_y, m_yText);
    std::string iText;
    std::string jText;
    if (has(i)) {
        iText = "I";
        kCoordinatePicture.append(iText, number(record, i));
    }
    if (has(j)) {
        jText = "J";
        kCoordinatePicture.append(jText, number(record, j));
    }
    if (!has(x) && !has(y)) {
        // Also an R alone: an arc back onto the current point is no block a
        // machine takes.
        return;
    }
    // A radius only makes an arc under G02 or G03; on a straight move it is
    // ignored rather than written as a line with a centre.
    if (has(r) && (m_word == "G02" || m_word == "G03")) {
        appendRadiusArc(m_out, m_word, m_px, m_py, m_x, m_y, number(record, r));
        m_out.append(kEol);
    } else {
        std::string out = m_word;
        out += m_xText;
        out += m_yText;
        out += iText;
        out += jText;
        line(out);
    }
    m_px = m_x;
    m_py = m_y;
}

}  // namespace

Result<std::string> routerToGcode(std::string_view routerBytes,
                                  const RouterImportOptions& options) {
    InputBytes input(routerBytes);
    return guardReading(input, [&] {
        RouterConverter converter(nullptr, routerBytes.size() + routerBytes.size() / 2 + 64,
                                  options);
        converter.run(input);
        return std::move(converter).program();
    });
}

Result<std::uint64_t> routerToGcode(InputBytes& input, PieceSink& sink,
                                    const RouterImportOptions& options) {
    return guardReading(input, [&] { return RouterConverter(&sink, 0, options).run(input); });
}

}  // namespace talmir::importers
