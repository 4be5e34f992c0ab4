#include "core/import/RouterToGcode.h"

#include "core/import/BlockWords.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <cfloat>
#include <cmath>
#include <new>
#include <string>

namespace talmir::importers {

namespace {

using namespace blocks;

// X, Y, I and J of the records as read: one to four decimals.
const text::NumberPicture kCoordinatePicture("######0.0###");
// Arcs computed from a radius: one to four decimals, five integer places.
const text::NumberPicture kRadiusPicture("#####0.0###");

constexpr std::string_view kEol = "\r\n";
constexpr std::size_t kProgressRecords = 4096;
// A radius this much (mm) shorter than half its chord is taken for a rounding of
// the data and gives the half circle.
constexpr double kRadiusSlackMm = 0.001;

[[noreturn]] void throwBadArgument() {
    throw Failure{5, "プロシージャの呼び出し、または引数が不正です。"};
}

bool has(std::size_t at) {
    return at != std::string_view::npos;
}

class RouterConverter {
public:
    explicit RouterConverter(const RouterImportOptions& options)
        : m_options(options), m_incremental(options.incremental) {
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

    std::string run(std::string_view text);

private:
    void record(std::string_view record);
    double number(std::string_view record, std::size_t at) const {
        return checked(text::numericValue(numberAfter(record, at)) * m_factor);
    }
    void radiusArc(double radius);
    void line(std::string_view text) { m_out.append(text).append(kEol); }

    const RouterImportOptions& m_options;
    double m_factor = 0.001;
    std::string m_out;

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

std::string RouterConverter::run(std::string_view text) {
    m_out.reserve(text.size() + text.size() / 2 + 64);
    line("D10");
    std::string current;
    std::size_t records = 0;
    bool inComment = false;
    auto flush = [&] {
        record(current);
        current.clear();
        inComment = false;  // a comment ends with its line
        if (++records % kProgressRecords == 0 && m_options.progress) {
            m_options.progress();
        }
    };
    for (const char c : text) {
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
    return std::move(m_out);
}

void RouterConverter::record(std::string_view record) {
    if (record.empty() || record.find('%') != std::string_view::npos) {
        return;
    }
    const std::size_t g = record.find('G');
    const std::size_t x = record.find('X');
    const std::size_t y = record.find('Y');
    const std::size_t i = record.find('I');
    const std::size_t j = record.find('J');
    const std::size_t r = record.find('R');
    const std::size_t z = record.find('Z');

    if (has(g)) {
        // Only motion codes set the motion word: "G04 P1" or "G90" followed by
        // "X1000Y1000" stays the move it was, not a dwell or a "G90X1.0Y1.0" line.
        const int code = codeAfter(record, g);
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
    if (record.find('T') != std::string_view::npos) {
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
        radiusArc(number(record, r));
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

// The arc from the previous point to the current one with radius `radius` (mm):
// a positive radius gives the arc of at most 180 degrees, a negative one the arc
// of at least 180 degrees.
void RouterConverter::radiusArc(double radius) {
    const double hx = (m_x - m_px) * 0.5;
    const double hy = (m_y - m_py) * 0.5;
    const double mx = m_px + hx;
    const double my = m_py + hy;
    const double h = std::sqrt(hx * hx + hy * hy);
    double s2 = radius * radius - h * h;
    if (s2 < 0) {
        if (std::fabs(radius) < h - kRadiusSlackMm) {
            throwBadArgument();
        }
        s2 = 0;
    }
    const double s = std::sqrt(s2);
    const double n = hx != 0 ? std::atan(hy / hx) * kRadToDeg + 90 : 180.0;
    const double ux = s * std::cos(n * kDegToRad);
    const double uy = s * std::sin(n * kDegToRad);
    double i = mx + ux - m_px;
    double j = my + uy - m_py;
    double a1 = startAngleDeg(i, j);
    double a2 = endAngleDeg(m_x - (mx + ux), m_y - (my + uy));
    double sweep = 0;
    if (m_word == "G02") {
        if (a2 > a1) {
            a1 += 360;
        }
        sweep = std::fabs(a1 - a2);
    } else {
        if (a2 < a1) {
            a2 += 360;
        }
        sweep = std::fabs(a2 - a1);
    }
    if ((radius > 0 && sweep > 180) || (radius < 0 && sweep < 180)) {
        i = mx - ux - m_px;
        j = my - uy - m_py;
    }
    // The centre is found through sines and cosines: an offset that rounds to
    // nothing is written as 0.0, not as "-0.0".
    auto offset = [](double v) { return std::fabs(v) < 5e-5 ? 0.0 : checked(v); };
    std::string arc = m_word;
    arc += 'X';
    kRadiusPicture.append(arc, m_x);
    arc += 'Y';
    kRadiusPicture.append(arc, m_y);
    arc += 'I';
    kRadiusPicture.append(arc, offset(i));
    arc += 'J';
    kRadiusPicture.append(arc, offset(j));
    line(arc);
}

}  // namespace

Result<std::string> routerToGcode(std::string_view routerBytes,
                                  const RouterImportOptions& options) {
    try {
        RouterConverter converter(options);
        return converter.run(routerBytes);
    } catch (const Failure& failure) {
        return failure;
    } catch (const std::bad_alloc&) {
        return Failure{7, "メモリが不足しています。"};
    }
}

}  // namespace talmir::importers
