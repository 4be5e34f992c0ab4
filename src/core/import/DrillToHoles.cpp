#include "core/import/DrillToHoles.h"

#include "core/Pieces.h"
#include "core/text/NumberPicture.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace talmir::importers {

namespace {

// False for NaN, infinity and anything past single precision.
bool fitsSingle(double value) {
    return std::fabs(value) <= static_cast<double>(FLT_MAX);
}

// What a block of X and Y words alone is made of.
constexpr std::string_view kPlain = "XY0123456789.-+";
// What the block reader needs to know of each byte: dropped from a block (",", "*",
// "%", blank, CR, LF), neither dropped nor part of a plain X and Y block, or the
// letter of a coordinate.
constexpr unsigned kDropped = 1;
constexpr unsigned kOther = 2;
constexpr unsigned kAxis = 4;
constexpr auto kCharKinds = [] {
    std::array<unsigned char, 256> kinds{};
    kinds.fill(kOther);
    for (const char c : std::string_view(",*% \r\n")) {
        kinds[static_cast<unsigned char>(c)] = kDropped;
    }
    for (const char c : kPlain) {
        kinds[static_cast<unsigned char>(c)] = 0;
    }
    kinds['X'] = kAxis;
    kinds['Y'] = kAxis;
    return kinds;
}();

// Bit k of each mask stands for byte k of 64 bytes of the text.
struct ByteMasks {
    std::uint64_t separator = 0;
    std::uint64_t dropped = 0;
    std::uint64_t other = 0;
    std::uint64_t axis = 0;
};

#if defined(__SSE2__)
// Sixteen bytes at a time: the kinds of kCharKinds as comparisons.
ByteMasks masksOf(const char* bytes, char separator) {
    ByteMasks masks;
    for (unsigned k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * k));
        const auto is = [v](char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); };
        const auto either = [](__m128i a, __m128i b) { return _mm_or_si128(a, b); };
        const auto bits = [](__m128i m) {
            return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(m)));
        };
        // '0' to '9': the byte less '0', unsigned, is at most 9.
        const __m128i fromZero = _mm_sub_epi8(v, _mm_set1_epi8('0'));
        const __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(fromZero, _mm_set1_epi8(9)), fromZero);
        const __m128i axis = either(is('X'), is('Y'));
        const __m128i dropped = either(either(either(is(','), is('*')), either(is('%'), is(' '))),
                                       either(is('\r'), is('\n')));
        const __m128i plain =
            either(either(digit, axis), either(is('.'), either(is('-'), is('+'))));
        const unsigned shift = 16 * k;
        masks.separator |= bits(is(separator)) << shift;
        masks.dropped |= bits(dropped) << shift;
        masks.axis |= bits(axis) << shift;
        masks.other |= (~bits(either(plain, dropped)) & 0xffff) << shift;
    }
    return masks;
}
#else
ByteMasks masksOf(const char* bytes, char separator) {
    ByteMasks masks;
    for (unsigned k = 0; k < 64; ++k) {
        const std::uint64_t bit = std::uint64_t{1} << k;
        const unsigned kind = kCharKinds[static_cast<unsigned char>(bytes[k])];
        masks.separator |= bytes[k] == separator ? bit : 0;
        masks.dropped |= (kind & kDropped) != 0 ? bit : 0;
        masks.other |= (kind & kOther) != 0 ? bit : 0;
        masks.axis |= (kind & kAxis) != 0 ? bit : 0;
    }
    return masks;
}
#endif

// Cuts a text into blocks at its separator, 64 bytes at a time, and says what the
// bytes of each block are (kDropped, kOther, kAxis): drill blocks are a few bytes
// long, and a byte-by-byte search for their ends costs more than reading them.
class BlockScanner {
public:
    // `separator` is never NUL.
    BlockScanner(std::string_view text, char separator) : m_text(text), m_separator(separator) {
        load(0);
    }

    // The end of the block that starts at `at` (its separator, or the end of the
    // text), and what its bytes are in `kinds`.
    std::size_t end(std::size_t at, unsigned& kinds) {
        kinds = 0;
        for (;;) {
            if (at >= m_window + 64) {
                load(at / 64 * 64);
            }
            const std::uint64_t ahead = ~std::uint64_t{0} << (at - m_window);
            const std::uint64_t stops = m_masks.separator & ahead;
            // The bits before the first separator, or all when there is none.
            const std::uint64_t inBlock = ahead & ((stops & (~stops + 1)) - 1);
            kinds |= (m_masks.dropped & inBlock) != 0 ? kDropped : 0;
            kinds |= (m_masks.other & inBlock) != 0 ? kOther : 0;
            kinds |= (m_masks.axis & inBlock) != 0 ? kAxis : 0;
            if (stops != 0) {
                return m_window + static_cast<std::size_t>(std::countr_zero(stops));
            }
            at = m_window + 64;
            if (at >= m_text.size()) {
                return m_text.size();
            }
        }
    }

private:
    // The masks of the 64 bytes from `window`; past the end of the text, none.
    void load(std::size_t window) {
        m_window = window;
        const std::size_t left = m_text.size() - std::min(window, m_text.size());
        if (left >= 64) {
            m_masks = masksOf(m_text.data() + window, m_separator);
            return;
        }
        std::array<char, 64> tail{};
        std::memcpy(tail.data(), m_text.data() + window, left);
        m_masks = masksOf(tail.data(), m_separator);
        const std::uint64_t inText = (std::uint64_t{1} << left) - 1;
        m_masks.separator &= inText;
        m_masks.dropped &= inText;
        m_masks.other &= inText;
        m_masks.axis &= inText;
    }

    std::string_view m_text;
    char m_separator;
    std::size_t m_window = 0;
    ByteMasks m_masks;
};

// The reading that finds the tool table wants the numbers of a block only to see
// whether one overflows. None of a block this short can: its number is below 1e24
// and the unit scales it by at most 1e7 inches, far below single precision's 3.4e38.
// (Incremental coordinates add up, so they are always read.)
constexpr std::size_t kNeverOverflowsBytes = 24;

// Gerber flash data: D codes that get a tool line, as the dialog has room for.
constexpr std::size_t kDCodeSlots = 100;

bool contains(std::string_view line, std::string_view code) {
    return line.find(code) != std::string_view::npos;
}

// Header blocks of drill files read as empty blocks. A ";" comment is a header
// block wherever it stands, and so is "INCH" ("INCH,TZ") beside "METRIC".
bool isHeader(std::string_view line) {
    if (!line.empty() && line.front() == ';') {
        return true;
    }
    for (std::string_view word : {"M48", "METRIC", "INCH", "VER", "FMAT", "DETECT", "ATC"}) {
        if (contains(line, word)) {
            return true;
        }
    }
    return false;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A plain decimal number at the start of `text` (sign, digits, one point); 0 when
// there is none. `used` gets the bytes read.
double decimalAt(std::string_view text, std::size_t& used) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    double value = 0;
    double scale = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (isDigit(c)) {
            value = value * 10 + (c - '0');
            scale *= 10;
        } else if (c == '.' && scale == 0) {
            scale = 1;
        } else {
            break;
        }
    }
    used = at;
    if (scale > 1) {
        value /= scale;
    }
    return negative ? -value : value;
}

// A decimal read digit by digit: `units` thousandths of a millimetre, exact when the
// number has at most three decimals and fits the integer; the hole lines then
// write it without rounding a double.
struct ExactDecimal {
    std::uint64_t units = 0;
    bool negative = false;
    bool exact = false;
};

// How many thousandths one unit of the last decimal place is worth.
constexpr std::uint64_t kThousandthsPerPlace[] = {1000, 100, 10, 1};

// The plain decimal `number` (sign, digits, at most one point) as thousandths, when
// it is exact: at most three decimals and fifteen digits.
ExactDecimal exactDecimal(std::string_view number) {
    ExactDecimal result;
    std::size_t at = 0;
    if (at < number.size() && (number[at] == '-' || number[at] == '+')) {
        result.negative = number[at] == '-';
        ++at;
    }
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = -1;
    for (; at < number.size(); ++at) {
        const char c = number[at];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            ++count;
            decimals += decimals >= 0 ? 1 : 0;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            return result;  // a second sign or point: read as a double only
        }
    }
    const int places = decimals < 0 ? 0 : decimals;
    if (count == 0 || count > 15 || places > 3) {
        return result;
    }
    result.units = digits * kThousandthsPerPlace[places];
    result.exact = true;
    return result;
}

// The part of the hole data one reading of the input writes. The tool table comes
// first in the output but is only known at the end of the input, so the input is
// read twice: once for the table, once for the body after it. Both readings go
// through the same blocks with the same state, so the second finds the table the
// first wrote, and only the part being written is formatted.
enum class Part { Table, Body };

class DrillConverter {
public:
    DrillConverter(const DrillOptions& options, Part part, PieceBuffer& out)
        : m_options(options),
          m_unit(coordinateForm(options.unit)),
          m_out(out),
          m_writesBody(part == Part::Body),
          m_table(part == Part::Table ? out.text() : m_other),
          m_body(part == Part::Body ? out.text() : m_other) {
        m_flashData = options.holeRule == DrillHoleRule::Code && options.holeCode == "D03";
        m_plainToolCode = options.toolCode.find_first_not_of(kPlain) == std::string::npos;
        m_coordinate.append(m_xText, 0.0);
        m_coordinate.append(m_yText, 0.0);
    }

    // Reads the whole input, writing its part into the output. Throws the
    // conversion's failure.
    void run(InputBytes& input);

    // The bytes of the part this reading did not write.
    std::uint64_t otherPartBytes() const { return m_otherBytes; }

private:
    void block(std::string_view line, unsigned kinds);
    void coordinates(std::string_view line, bool axes);
    bool holeWanted(std::string_view line);
    void writeHole();
    bool flashTool(std::string_view line);
    void toolByBlock(std::string_view line);
    void toolByCode(std::string_view line);
    void selectTool(std::string_view line);
    void defineTool(std::string_view line);
    double numberAfter(std::string_view line, std::size_t letter, ExactDecimal& exact) const;
    void axis(std::string_view line, std::size_t letter, double& value, double& sum,
              std::string& text);
    void bodyTool(int number);
    void tableLine(std::string_view code, double diameter);

    const DrillOptions& m_options;
    const CoordinateForm& m_unit;
    PieceBuffer& m_out;
    const bool m_writesBody;
    // The lines of the part not written go here and are only counted.
    std::string m_other;
    std::uint64_t m_otherBytes = 0;
    std::string& m_table;
    std::string& m_body;
    bool m_flashData = false;
    bool m_plainToolCode = false;  // a tool code that a plain block could hold
    const text::NumberPicture m_coordinate{"#######0.0##"};
    const text::NumberPicture m_diameter{"##0.000##"};
    const text::NumberPicture m_toolNumber{"#00"};

    double m_x = 0;
    double m_y = 0;
    double m_sumX = 0;
    double m_sumY = 0;
    // The text of each axis as the hole lines write it, kept while the axis is
    // modal, and whether a coordinate is waiting to become a hole.
    std::string m_xText;
    std::string m_yText;
    bool m_pointWaiting = false;
    int m_toolCounter = 0;
    bool m_toolJustWritten = false;
    bool m_cycle = false;
    bool m_headerDiameters = false;
    std::array<int, kDCodeSlots> m_dCodes{};
    std::size_t m_dCodesUsed = 0;
    bool m_tooManyDCodes = false;
    // A coordinate or diameter the hole window's single-precision tables cannot
    // hold (a field of fifty digits, infinity from hundreds): error 6.
    bool m_overflow = false;
    std::size_t m_holes = 0;
    // Tool rule "指定文字": the codes defined so far by their number, and a
    // definition that no selection has followed yet (OrCAD writes T1C0.028 inline
    // with its holes and selects nothing).
    std::array<std::string, 1000> m_definedCodes;
    std::string m_unselectedDefinition;
};

// The number after the letter at `letter`; `exact` gets it as thousandths when
// the number is a plain millimetre decimal that the hole lines can write as read.
double DrillConverter::numberAfter(std::string_view line, std::size_t letter,
                                   ExactDecimal& exact) const {
    std::string_view rest = line.substr(letter + 1);
    std::size_t end = 0;
    while (end < rest.size() &&
           (isDigit(rest[end]) || rest[end] == '.' || rest[end] == '-' || rest[end] == '+')) {
        ++end;
    }
    rest = rest.substr(0, end);
    if (m_unit.integerDigits > 0) {
        return fieldMillimetres(rest, m_unit);
    }
    if (m_unit.unit == CoordinateUnit::Decimal && !m_unit.inch && !m_options.incremental) {
        exact = exactDecimal(rest);
        if (exact.exact) {
            // The same double decimalAt makes: both divide the same whole number
            // by a power of ten, correctly rounded.
            const double value = static_cast<double>(exact.units) / 1000.0;
            return exact.negative ? -value : value;
        }
    }
    std::size_t used = 0;
    double value = decimalAt(rest, used);
    if (m_unit.inch) {
        return value * kMillimetresPerInch;
    }
    if (m_unit.unit == CoordinateUnit::Decimal) {
        return value;
    }
    // Thousandths rounded to four decimals first, then the unit's own scale.
    value = std::round(value * 10) / 10000;
    switch (m_unit.unit) {
        case CoordinateUnit::Hundredths:
            return value * 10;
        case CoordinateUnit::TenThousandths:
            return value * 0.1;
        case CoordinateUnit::HundredThousandths:
            return value * 0.01;
        case CoordinateUnit::Millionths:
            return value * 0.001;
        default:
            return value;
    }
}

// One axis word: its value (summed in incremental mode) and its text.
void DrillConverter::axis(std::string_view line, std::size_t letter, double& value, double& sum,
                          std::string& text) {
    ExactDecimal exact;
    const double number = numberAfter(line, letter, exact);
    value = m_options.incremental ? (sum += number) : number;
    if (!fitsSingle(value)) {
        m_overflow = true;
        return;
    }
    if (!m_writesBody) {
        return;  // only the hole lines show the text
    }
    text.clear();
    if (exact.exact) {
        m_coordinate.appendUnits(text, exact.negative, exact.units);
    } else {
        m_coordinate.append(text, value);
    }
}

// `axes`: the block holds an X or a Y.
void DrillConverter::coordinates(std::string_view line, bool axes) {
    if (!axes) {
        return;
    }
    if (!m_writesBody && !m_options.incremental && line.size() <= kNeverOverflowsBytes) {
        m_pointWaiting = true;  // the table's reading needs no number here
        return;
    }
    const std::size_t x = line.find('X');
    const std::size_t y = line.find('Y');
    if (x != std::string_view::npos) {
        axis(line, x, m_x, m_sumX, m_xText);
    }
    if (y != std::string_view::npos) {
        axis(line, y, m_y, m_sumY, m_yText);
    }
    m_pointWaiting = !m_overflow;
}

bool DrillConverter::holeWanted(std::string_view line) {
    switch (m_options.holeRule) {
        case DrillHoleRule::EveryCoordinate:
            return true;
        case DrillHoleRule::Code:
            return contains(line, m_options.holeCode);
        case DrillHoleRule::Cycle:
            if (contains(line, m_options.cycleCode)) {
                m_cycle = true;
            }
            if (contains(line, m_options.cancelCode)) {
                m_cycle = false;
            }
            return m_cycle;
    }
    return false;
}

void DrillConverter::writeHole() {
    if (!m_unselectedDefinition.empty()) {
        m_body.append(m_unselectedDefinition).append("\r\n");
        m_unselectedDefinition.clear();
    }
    m_pointWaiting = false;
    m_toolJustWritten = false;
    ++m_holes;
    if (!m_writesBody) {
        return;
    }
    m_body += 'X';
    m_body += m_xText;
    m_body += 'Y';
    m_body += m_yText;
    m_body += "\r\n";
}

void DrillConverter::bodyTool(int number) {
    m_body += 'T';
    m_toolNumber.append(m_body, number);
    m_body += "\r\n";
}

void DrillConverter::tableLine(std::string_view code, double diameter) {
    if (!fitsSingle(diameter)) {
        m_overflow = true;
        return;
    }
    m_table.append(code).append("C");
    m_diameter.append(m_table, diameter);
    m_table += "\r\n";
}

// Gerber flash data: D10 and up select the tools T10 and up, each listed once.
bool DrillConverter::flashTool(std::string_view line) {
    const std::size_t d = line.find('D');
    std::size_t used = 0;
    const double value = d == std::string_view::npos ? 0 : decimalAt(line.substr(d + 1), used);
    if (!(value > 3) || value > 1e6) {
        return false;
    }
    const int number = static_cast<int>(value);
    bool known = false;
    for (std::size_t k = 0; k < m_dCodesUsed; ++k) {
        known = known || m_dCodes[k] == number;
    }
    if (!known) {
        if (m_dCodesUsed == kDCodeSlots) {
            m_tooManyDCodes = true;
            return true;
        }
        m_dCodes[m_dCodesUsed++] = number;
        std::string code = "T";
        m_toolNumber.append(code, number);
        tableLine(code, 1.0);
    }
    bodyTool(number);
    return true;
}

void DrillConverter::toolByBlock(std::string_view line) {
    if (line.find_first_of("XY") != std::string_view::npos || m_toolJustWritten) {
        return;
    }
    ++m_toolCounter;
    bodyTool(m_toolCounter);
    std::string code = "T";
    m_toolNumber.append(code, m_toolCounter);
    const std::size_t c = line.find('C');
    std::size_t used = 0;
    double diameter = 1.0;
    if (c != std::string_view::npos) {
        diameter = decimalAt(line.substr(c + 1), used) * (m_unit.inch ? kMillimetresPerInch : 1);
    }
    tableLine(code, diameter);
    m_toolJustWritten = true;
    m_pointWaiting = false;
}

// A tool definition such as T1C0.8 (or T1F00S00C0.0280, whose feed and speed words
// are not part of the tool's name): the tool is named by its "T" and number.
void DrillConverter::defineTool(std::string_view line) {
    m_headerDiameters = true;
    const std::size_t t = line.find('T');
    const std::size_t c = line.find('C');
    std::size_t end = t == std::string_view::npos ? 0 : t + 1;
    while (end < line.size() && isDigit(line[end])) {
        ++end;
    }
    std::string_view code = line.substr(0, c);
    if (t != std::string_view::npos && t < c && end > t + 1) {
        code = line.substr(t, end - t);
    }
    std::size_t used = 0;
    double diameter = decimalAt(line.substr(c + 1), used);
    if (m_unit.inch) {
        diameter *= kMillimetresPerInch;
    }
    tableLine(code, diameter);
    const double number = t == std::string_view::npos ? -1 : decimalAt(line.substr(t + 1), used);
    if (number >= 0 && number < static_cast<double>(m_definedCodes.size())) {
        m_definedCodes[static_cast<std::size_t>(number)] = std::string(code);
    }
    m_unselectedDefinition = std::string(code);
}

// A tool selection (T01): spelt as its definition spells it (T1), so that the
// selection finds its tool; T0 (no tool) selects nothing.
void DrillConverter::selectTool(std::string_view line) {
    m_unselectedDefinition.clear();
    const std::size_t t = line.find('T');
    std::size_t used = 0;
    const double number = t == std::string_view::npos ? -1 : decimalAt(line.substr(t + 1), used);
    // A negative number ("T-1") names no row of the tool table: the line stays as written.
    const bool numbered =
        t != std::string_view::npos && used > 0 && t + 1 + used == line.size() && number >= 0;
    if (numbered && number == 0) {
        return;
    }
    if (numbered && number < static_cast<double>(m_definedCodes.size()) &&
        !m_definedCodes[static_cast<std::size_t>(number)].empty()) {
        m_body.append(m_definedCodes[static_cast<std::size_t>(number)]).append("\r\n");
        return;
    }
    m_body.append(line).append("\r\n");
    if (!m_headerDiameters || numbered) {
        // An undefined tool still keeps its holes: it gets the default diameter.
        m_table.append(line).append("C1.000\r\n");
        if (numbered && number < static_cast<double>(m_definedCodes.size())) {
            m_definedCodes[static_cast<std::size_t>(number)] = std::string(line);
        }
    }
}

void DrillConverter::toolByCode(std::string_view line) {
    if (m_options.toolCode.find('T') != std::string::npos) {
        if (line.find('C') != std::string_view::npos) {
            defineTool(line);
        } else {
            selectTool(line);
        }
    } else if (!m_toolJustWritten) {
        ++m_toolCounter;
        bodyTool(m_toolCounter);
        std::string code = "T";
        m_toolNumber.append(code, m_toolCounter);
        tableLine(code, 1.0);
    }
}

// `kinds`: what the bytes of the block are. A plain block holds nothing but X and
// Y words, which is most of a drill file and needs none of the header and code
// searches.
void DrillConverter::block(std::string_view line, unsigned kinds) {
    const bool plain = (kinds & kOther) == 0;
    // "G93" sets the zero point: no hole.
    if (!plain && (isHeader(line) || contains(line, "G93"))) {
        line = {};
        kinds = 0;
    }
    coordinates(line, (kinds & kAxis) != 0);
    if (holeWanted(line) && m_pointWaiting) {
        writeHole();
    }
    if (m_flashData) {
        if (flashTool(line)) {
            m_toolJustWritten = true;
            m_pointWaiting = false;
        }
        return;
    }
    if (m_options.toolRule == DrillToolRule::BlockWithoutCoordinates) {
        toolByBlock(line);
    } else if ((!plain || m_plainToolCode) && contains(line, m_options.toolCode)) {
        toolByCode(line);
        m_toolJustWritten = true;
        m_pointWaiting = false;
    }
}

void DrillConverter::run(InputBytes& input) {
    const std::string_view text = input.bytes();
    const std::size_t first = text.find_first_of("*\n\r");
    const char separator = first == std::string_view::npos ? '\0' : text[first];
    BlockScanner scanner(text, separator == '\0' ? '*' : separator);
    std::string dropped;
    std::size_t at = 0;
    input.readTo(at);  // a reading of its own, from the first block
    while (at < text.size()) {
        unsigned kinds = 0;
        std::size_t end = text.size();
        if (separator != '\0') {
            end = scanner.end(at, kinds);
        } else {
            // Without a separator the text is one block (a NUL byte does not end it).
            for (const char c : text) {
                kinds |= kCharKinds[static_cast<unsigned char>(c)];
            }
        }
        const std::string_view raw = text.substr(at, end - at);
        std::string_view line = raw;
        if ((kinds & kDropped) != 0) {
            dropped.clear();
            for (const char c : raw) {
                if ((kCharKinds[static_cast<unsigned char>(c)] & kDropped) == 0) {
                    dropped += c;
                }
            }
            line = dropped;
        }
        block(line, kinds);
        if (m_tooManyDCodes) {
            // The program's own subscript error, shown as a warning of its own.
            throw Failure{0, "ツール項目数が99を超えています。", "エラーメッセージ"};
        }
        if (m_overflow) {
            throw overflowFailure();
        }
        at = end + 1;
        m_otherBytes += m_other.size();
        m_other.clear();
        m_out.handOverWhenFull();
        input.readTo(at);
    }
    if (m_holes == 0) {
        Failure failure = Failure::message("変換可能なコマンドが、見つかりませんでした");
        failure.at = Failure::kWholeInput;
        throw failure;
    }
}

// The hole data into `out`: the tool table from a first reading of the input, then
// the body from a second; gives its length.
std::uint64_t writeHoleData(InputBytes& input, const DrillOptions& options, PieceBuffer& out) {
    DrillConverter table(options, Part::Table, out);
    table.run(input);
    const std::uint64_t tableBytes = out.finish();
    DrillConverter body(options, Part::Body, out);
    body.run(input);
    if (body.otherPartBytes() != tableBytes) {
        throw inputChangedFailure();  // the second reading found another table
    }
    return out.finish();
}

// The failure of options that name no code to look for.
std::optional<Failure> optionsFailure(const DrillOptions& options) {
    if (options.holeRule == DrillHoleRule::Code && options.holeCode.empty()) {
        return Failure::message("穴とするコードを入力してください");
    }
    if (options.holeRule == DrillHoleRule::Cycle &&
        (options.cycleCode.empty() || options.cancelCode.empty())) {
        return Failure::message("ｻｲｸﾙｺｰﾄﾞとｷｬﾝｾﾙｺｰﾄﾞを入力してください");
    }
    if (options.toolRule == DrillToolRule::Code && options.toolCode.empty() &&
        !(options.holeRule == DrillHoleRule::Code && options.holeCode == "D03")) {
        return Failure::message("Tコードとする文字を入力してください");
    }
    return std::nullopt;
}

}  // namespace

Result<std::string> drillToHoles(std::string_view text, const DrillOptions& options) {
    if (auto failure = optionsFailure(options)) {
        return std::move(*failure);
    }
    InputBytes input(text);
    return guardReading(input, [&] {
        // Hole lines come out a little longer than they go in ("X12" is "X12.0").
        PieceBuffer out(nullptr, 2 * text.size() + 4096);
        writeHoleData(input, options, out);
        return std::move(out).release();
    });
}

Result<std::uint64_t> drillToHoles(InputBytes& input, PieceSink& sink,
                                   const DrillOptions& options) {
    if (auto failure = optionsFailure(options)) {
        return std::move(*failure);
    }
    return guardReading(input, [&] {
        PieceBuffer out(&sink, 0);
        return writeHoleData(input, options, out);
    });
}

}  // namespace talmir::importers
