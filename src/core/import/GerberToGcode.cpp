#include "core/import/GerberToGcode.h"

#include "core/Pieces.h"

#include "core/import/CoordinateUnits.h"

#include "core/import/BlockWords.h"
#include "core/import/RadiusArc.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

namespace talmir::importers {

namespace {

using namespace blocks;

// X, Y, I and J of the blocks as read: one to five decimals.
const text::NumberPicture kCoordinatePicture("######0.0####");

constexpr std::string_view kEol = "\r\n";
constexpr std::size_t kProgressBlocks = 4096;
// Apertures are numbered up to D9999.
constexpr int kMaxAperture = 9999;

enum class Word { G00, G01, G02, G03 };

std::string_view wordText(Word w) {
    static constexpr std::array<std::string_view, 4> kTexts{"G00", "G01", "G02", "G03"};
    return kTexts[static_cast<std::size_t>(w)];
}

bool isCircular(Word w) {
    return w == Word::G02 || w == Word::G03;
}

// A number of a format that keeps its leading zeros and drops trailing ones:
// the first `integerDigits` digits are the whole millimetres ("00123" with three
// gives 1.23, "1" gives 100). With a point it is read as written.
double leadingZeroValue(std::string_view number, int integerDigits) {
    std::string digits;
    bool negative = false;
    bool signSeen = false;
    for (const char c : number) {
        if (c == ' ') {
            continue;
        }
        if (c == '.') {
            return text::numericValue(number);
        }
        if (c == '-' || c == '+') {
            if (signSeen || !digits.empty()) {
                break;  // a second sign ends the number, as it does everywhere
            }
            signSeen = true;
            negative = c == '-';
            continue;
        }
        digits.push_back(c);
    }
    if (digits.empty()) {
        return 0;
    }
    const std::size_t whole = static_cast<std::size_t>(integerDigits);
    if (digits.size() < whole) {
        digits.append(whole - digits.size(), '0');
    }
    digits.insert(whole, 1, '.');
    const double value = text::numericValue(digits);
    return negative ? -value : value;
}

// Millimetres of a number of the data under the unit option.
double millimetres(std::string_view number, int unit) {
    if (unit > 6 && unit < kCoordinateUnitCount) {
        // The inch forms and the millionths, which the data's own format names.
        const CoordinateForm& form = coordinateForm(static_cast<CoordinateUnit>(unit));
        if (form.integerDigits > 0) {
            return fieldMillimetres(number, form);
        }
        const double value = text::numericValue(number);
        return form.inch ? value * kMillimetresPerInch : value * 1e-6;
    }
    if (unit == 4 || unit == 5) {
        return leadingZeroValue(number, unit == 4 ? 3 : 4);
    }
    double v = text::numericValue(number);
    if (unit == 0) {
        v *= 1000;
    }
    switch (unit) {
        case 1:
            v *= 10;
            break;
        case 3:
            v *= 0.1;
            break;
        case 6:
            v *= 0.01;
            break;
        default:
            break;
    }
    return v * 0.001;
}

// Where the letters of one block first stand.
struct Letters {
    std::size_t g, x, y, i, j, r, d;

    explicit Letters(std::string_view block)
        : g(block.find('G')),
          x(block.find('X')),
          y(block.find('Y')),
          i(block.find('I')),
          j(block.find('J')),
          r(block.find('R')),
          d(block.find('D')) {}

    static bool has(std::size_t at) { return at != std::string_view::npos; }
};

class GerberConverter {
public:
    GerberConverter(PieceSink* sink, std::size_t reserve, const GerberImportOptions& options)
        : m_options(options),
          m_pieces(sink, reserve),
          m_out(m_pieces.text()),
          m_incremental(options.incremental) {}

    // Converts `input`; gives the length of the program.
    std::uint64_t run(InputBytes& input);

    std::string program() && { return std::move(m_pieces).release(); }

private:
    void block(std::string_view block);
    void coordinates(std::string_view block, const Letters& at);
    void apertureOrDcode(int d);
    void gcode(int g);
    void output(const Letters& at);
    void signSingleQuadrantOffsets();
    void ensureAperture();
    void line(std::string_view a, std::string_view b = {}, std::string_view c = {},
              std::string_view d = {}, std::string_view e = {});

    const GerberImportOptions& m_options;
    PieceBuffer m_pieces;
    std::string& m_out;  // the text of m_pieces

    bool m_incremental;
    Word m_word = Word::G00;
    // Texts of the last X and Y read (modal), and of the I and J of the next arc.
    std::string m_xText = "X0";
    std::string m_yText = "Y0";
    std::string m_iText = "I0";
    std::string m_jText = "J0";
    double m_i = 0;  // the same offsets, mm
    double m_j = 0;
    bool m_singleQuadrant = false;  // G74 until G75
    int m_lastD = 2;
    int m_aperture = 0;  // 0 = none selected yet
    // The incremental sums; in absolute mode they follow the point, so that a G91
    // in the middle of the data goes on from where the tool is.
    double m_sumX = 0;
    double m_sumY = 0;
    double m_x = 0;  // current point, mm
    double m_y = 0;
    double m_px = 0;  // previous point, mm
    double m_py = 0;
};

void GerberConverter::line(std::string_view a, std::string_view b, std::string_view c,
                           std::string_view d, std::string_view e) {
    m_out.append(a).append(b).append(c).append(d).append(e).append(kEol);
}

std::uint64_t GerberConverter::run(InputBytes& input) {
    const std::string_view text = input.bytes();
    // The first "*", "$", LF or CR ends every block; the other three are dropped.
    char separator = '\0';
    bool haveSeparator = false;
    if (const std::size_t at = text.find_first_of("*$\n\r"); at != std::string_view::npos) {
        separator = text[at];
        haveSeparator = true;
    }
    std::array<bool, 256> dropped{};
    for (const char c : std::string_view(",\n\r*$")) {
        dropped[static_cast<unsigned char>(c)] = true;
    }
    std::string current;
    std::size_t blocks = 0;
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        // Copy the run of ordinary bytes at once.
        std::size_t run = i;
        while (run < size) {
            const char c = text[run];
            if (c == '%' || (haveSeparator && c == separator) ||
                dropped[static_cast<unsigned char>(c)]) {
                break;
            }
            ++run;
        }
        current.append(text.data() + i, run - i);
        i = run;
        if (i >= size) {
            break;
        }
        const char c = text[i++];
        if (c == '%') {
            // A parameter block runs to the next "%", over any line ends.
            const std::size_t close = text.find('%', i);
            i = close == std::string_view::npos ? size : close + 1;
        } else if (haveSeparator && c == separator) {
            block(current);
            current.clear();
            m_pieces.handOverWhenFull();
            input.readTo(i);
            if (++blocks % kProgressBlocks == 0 && m_options.progress) {
                m_options.progress();
            }
        }
    }
    block(current);
    return m_pieces.finish();
}

void GerberConverter::block(std::string_view block) {
    if (block.empty()) {
        return;
    }
    // G04 is a comment: its text is no data ("G04 XSize=70.9mil" would move the
    // tool to X0), so the block is read as "G04" alone.
    if (block[0] == 'G' && codeAfter(block, 0) == 4) {
        std::size_t end = 1;
        while (end < block.size() && isDigit(block[end])) {
            ++end;
        }
        block = block.substr(0, end);
    }
    const Letters at(block);
    if (block.find("G90") != std::string_view::npos) {
        m_incremental = false;
    }
    if (block.find("G91") != std::string_view::npos) {
        m_incremental = true;
    }
    // A block without a centre ends circular mode. A draw stays a draw: with D01
    // in force the block goes on as G01, not as a rapid move.
    if (!Letters::has(at.i) && !Letters::has(at.j) && !Letters::has(at.r) && isCircular(m_word)) {
        m_word = m_lastD == 1 ? Word::G01 : Word::G00;
    }
    coordinates(block, at);
    if (Letters::has(at.d)) {
        apertureOrDcode(codeAfter(block, at.d));
    }
    if (Letters::has(at.g)) {
        gcode(codeAfter(block, at.g));
    }
    bool writtenAsArc = false;
    if (Letters::has(at.r) && isCircular(m_word)) {
        const double radius = checked(millimetres(numberAfter(block, at.r), m_options.unit));
        appendRadiusArc(m_out, wordText(m_word), m_px, m_py, m_x, m_y, radius);
        m_out.append(kEol);
        writtenAsArc = true;
    }
    if (!Letters::has(at.g) && !Letters::has(at.x) && !Letters::has(at.y)) {
        return;
    }
    if (!writtenAsArc) {
        output(at);
    }
    m_px = m_x;
    m_py = m_y;
}

void GerberConverter::coordinates(std::string_view block, const Letters& at) {
    auto axis = [&](std::size_t letter, char name, double& sum, double& point, std::string& t) {
        if (!Letters::has(letter)) {
            return;
        }
        const double value = checked(millimetres(numberAfter(block, letter), m_options.unit));
        sum = m_incremental ? checked(sum + value) : value;
        point = sum;
        t.assign(1, name);
        kCoordinatePicture.append(t, point);
    };
    axis(at.x, 'X', m_sumX, m_x, m_xText);
    axis(at.y, 'Y', m_sumY, m_y, m_yText);
    // The centre offsets are relative and never summed.
    if (Letters::has(at.i)) {
        m_i = checked(millimetres(numberAfter(block, at.i), m_options.unit));
        m_iText = "I";
        kCoordinatePicture.append(m_iText, m_i);
    }
    if (Letters::has(at.j)) {
        m_j = checked(millimetres(numberAfter(block, at.j), m_options.unit));
        m_jText = "J";
        kCoordinatePicture.append(m_jText, m_j);
    }
}

// Under G74 the data gives I and J without signs (the arc spans one quadrant at
// most): of the four centres the one at the same distance from both ends whose
// arc in the motion's direction spans at most 90 degrees is meant.
void GerberConverter::signSingleQuadrantOffsets() {
    constexpr double kDegreesTolerance = 0.5;
    const double i = std::fabs(m_i);
    const double j = std::fabs(m_j);
    double bestMismatch = std::numeric_limits<double>::infinity();
    double bestI = m_i;
    double bestJ = m_j;
    bool bestFits = false;
    for (const double si : {i, -i}) {
        for (const double sj : {j, -j}) {
            const double cx = m_px + si;
            const double cy = m_py + sj;
            const double a1 = std::atan2(m_py - cy, m_px - cx) * kRadToDeg;
            const double a2 = std::atan2(m_y - cy, m_x - cx) * kRadToDeg;
            double sweep = m_word == Word::G03 ? a2 - a1 : a1 - a2;
            sweep = std::fmod(sweep + 720.0, 360.0);
            const bool fits = sweep <= 90 + kDegreesTolerance;
            const double mismatch =
                std::fabs(std::hypot(m_px - cx, m_py - cy) - std::hypot(m_x - cx, m_y - cy));
            if ((fits && !bestFits) || (fits == bestFits && mismatch < bestMismatch)) {
                bestFits = fits;
                bestMismatch = mismatch;
                bestI = si;
                bestJ = sj;
            }
        }
    }
    m_iText = "I";
    kCoordinatePicture.append(m_iText, bestI);
    m_jText = "J";
    kCoordinatePicture.append(m_jText, bestJ);
}

void GerberConverter::apertureOrDcode(int d) {
    if (d > 3 && d != m_aperture) {
        if (d > kMaxAperture) {
            throw Failure{380, "プロパティの値が不正です。"};
        }
        std::array<char, 16> digits{};
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), d).ptr;
        line("D", std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
        line("G00", m_xText, m_yText);
        m_word = Word::G00;
        m_aperture = d;
        m_lastD = 0;
        return;
    }
    m_lastD = d;
    if (d == 1 && m_word == Word::G00) {
        m_word = Word::G01;
    } else if (d == 2) {
        m_word = Word::G00;
    } else if (d == 3) {
        line("G81", m_xText, m_yText);
    }
}

void GerberConverter::gcode(int g) {
    if (g == 1) {
        if (m_lastD == 2) {
            m_word = Word::G00;
        } else if (m_lastD == 1) {
            m_word = Word::G01;
        }
    } else if (g == 2) {
        m_word = Word::G02;
    } else if (g == 3) {
        m_word = Word::G03;
    } else if (g == 74) {
        m_singleQuadrant = true;
    } else if (g == 75) {
        m_singleQuadrant = false;
    }
}

void GerberConverter::ensureAperture() {
    if (m_aperture == 0) {
        line("D10");
        m_aperture = 10;
    }
}

void GerberConverter::output(const Letters& at) {
    if (m_lastD == 3) {
        ensureAperture();  // after the G81 the flash has written
        return;
    }
    if (!isCircular(m_word)) {
        ensureAperture();
        line(wordText(m_word), m_xText, m_yText);
        return;
    }
    // "G02" alone only switches the mode: an arc of radius 0 back onto the
    // current point is no block a machine takes.
    if (!Letters::has(at.x) && !Letters::has(at.y) && !Letters::has(at.i) && !Letters::has(at.j)) {
        return;
    }
    if (m_singleQuadrant) {
        signSingleQuadrantOffsets();
    }
    line(wordText(m_word), m_xText, m_yText, m_iText, m_jText);
    m_iText = "I0";
    m_jText = "J0";
    m_i = 0;
    m_j = 0;
}

}  // namespace

Result<std::string> gerberToGcode(std::string_view gerberBytes,
                                  const GerberImportOptions& options) {
    InputBytes input(gerberBytes);
    return guardReading(input, [&] {
        GerberConverter converter(nullptr, gerberBytes.size() + gerberBytes.size() / 2 + 4096,
                                  options);
        converter.run(input);
        return std::move(converter).program();
    });
}

Result<std::uint64_t> gerberToGcode(InputBytes& input, PieceSink& sink,
                                    const GerberImportOptions& options) {
    return guardReading(input, [&] { return GerberConverter(&sink, 0, options).run(input); });
}

}  // namespace talmir::importers
