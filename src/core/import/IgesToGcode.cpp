#include "core/import/IgesToGcode.h"

#include "core/Pieces.h"

#include "core/text/Lines.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>
#include <unordered_map>
#include <vector>

namespace talmir::importers {

namespace {

// Columns of a record, counted from 0. Every record is 72 columns of data, the
// section letter in column 73 and the sequence number in columns 74 to 80:
//
//      110       2       0       0       1       0       0       000010000D      3
//   110,0.,0.,0.,40.,0.,0.;                                                3P      2
//
// A directory entry has its level in columns 33 to 40 of its first line; a
// parameter line has its data in columns 1 to 64 and the sequence number of its
// entity's directory entry in columns 65 to 72.
constexpr std::size_t kSectionColumn = 72;
constexpr std::size_t kSequenceColumn = 73;
constexpr std::size_t kSequenceWidth = 7;
constexpr std::size_t kLevelColumn = 32;
constexpr std::size_t kFieldWidth = 8;
constexpr std::size_t kParameterColumns = 64;
constexpr std::size_t kPointerColumn = 64;
// A directory entry's transformation matrix pointer: columns 49 to 56.
constexpr std::size_t kMatrixColumn = 48;
constexpr std::size_t kGlobalColumns = 72;

// The largest sequence number seven columns hold; the level table grows up to it.
constexpr std::size_t kMaxSequence = 9'999'999;

// A drawing code "D" + (level + 9) is a 16-bit integer.
constexpr double kLowestLevel = -32768;
constexpr double kHighestLevel = 32767 - 9;

const text::NumberPicture kNumberPicture("######0.0###");
constexpr std::string_view kEol = "\r\n";

// The level table marks a sequence number without a directory entry this way;
// no level read from a file is NaN.
constexpr float kNoEntry = std::numeric_limits<float>::quiet_NaN();

Failure noEntryFailure() {
    return Failure{9, "インデックスが有効範囲にありません。"};
}

Failure cutRecordFailure() {
    return Failure{62, "ファイルにこれ以上データがありません。"};
}

Failure overflowFailure() {
    return Failure{6, "オーバーフローしました。"};
}

std::string_view columns(std::string_view line, std::size_t first, std::size_t count) {
    return first < line.size() ? line.substr(first, count) : std::string_view{};
}

// Trailing spaces off, as the data of a parameter line is taken.
std::string_view rightTrimmed(std::string_view s) {
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

bool isBlank(std::string_view s) {
    return s.find_first_not_of(' ') == std::string_view::npos;
}

// A sequence number or a pointer: a whole number from 1 to `max`, else 0.
std::size_t indexField(std::string_view field, std::size_t max) {
    const double value = text::numericValue(field);
    if (!(value >= 1 && value <= static_cast<double>(max)) || value != std::floor(value)) {
        return 0;
    }
    return static_cast<std::size_t>(value);
}

// One number of a parameter record: "12.5", "-.5", "1.25E2" and the double
// precision form "1.25D2". An empty (defaulted) field is 0.
double igesNumber(std::string_view field, std::string& scratch) {
    const std::size_t d = field.find_first_of("Dd");
    if (d == std::string_view::npos) {
        return text::numericValue(field);
    }
    scratch.assign(field);
    scratch[d] = 'E';
    return text::numericValue(scratch);
}

// The global section's parameters, as far as the import needs them: field 13 (the
// model space scale), 14 (the unit flag) and 15 (the unit name). Fields 1 and 2
// give the parameter and record delimiters ("1H," and "1H;", or empty for those);
// strings are Hollerith ("2HMM"), so a delimiter inside one separates nothing.
std::vector<std::string> globalFields(std::string_view g) {
    char delimiter = ',';
    char recordEnd = ';';
    std::size_t pos = 0;
    const auto delimiterField = [&](char& into) {
        if (g.substr(pos, 2) == "1H" && pos + 2 < g.size()) {
            into = g[pos + 2];
            pos += 3;
        }
        if (pos < g.size() && g[pos] == delimiter) {
            ++pos;
        }
    };
    delimiterField(delimiter);
    delimiterField(recordEnd);
    std::vector<std::string> fields = {std::string(1, delimiter), std::string(1, recordEnd)};
    while (pos < g.size() && fields.size() < 15) {
        std::size_t digits = pos;
        while (digits < g.size() && (g[digits] == ' ' || (g[digits] >= '0' && g[digits] <= '9'))) {
            ++digits;
        }
        std::string field;
        if (digits > pos && digits < g.size() && g[digits] == 'H') {
            // A count past the end of the section takes the rest of it.
            const double count = text::numericValue(g.substr(pos, digits - pos));
            const auto length =
                static_cast<std::size_t>(std::min(count, static_cast<double>(g.size() - digits)));
            field.assign(g.substr(digits + 1, length));
            pos = std::min(g.size(), digits + 1 + length);
        }
        const std::size_t end = g.find_first_of(std::string{delimiter, recordEnd}, pos);
        if (field.empty()) {
            field.assign(g.substr(pos, end - pos));
        }
        fields.push_back(std::move(field));
        if (end == std::string_view::npos || g[end] == recordEnd) {
            break;
        }
        pos = end + 1;
    }
    return fields;
}

// Millimetres per model unit of a unit flag (1 to 11) or unit name; 0 when unknown.
double millimetresPerUnit(int flag, std::string_view name) {
    static constexpr std::array<double, 12> kByFlag = {0,    25.4, 1,      0,     304.8, 1609344,
                                                       1000, 1e6,  0.0254, 0.001, 10,    2.54e-5};
    if (flag >= 1 && flag <= 11 && flag != 3) {
        return kByFlag[static_cast<std::size_t>(flag)];
    }
    std::string upper;
    for (const char c : name) {
        if (c != ' ') {
            upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        }
    }
    static const std::array<std::pair<std::string_view, double>, 12> kByName = {{
        {"IN", 25.4},
        {"INCH", 25.4},
        {"MM", 1},
        {"FT", 304.8},
        {"MI", 1609344},
        {"M", 1000},
        {"KM", 1e6},
        {"MIL", 0.0254},
        {"UM", 0.001},
        {"CM", 10},
        {"UIN", 2.54e-5},
        {"MICRON", 0.001},
    }};
    for (const auto& [unitName, factor] : kByName) {
        if (upper == unitName) {
            return factor;
        }
    }
    return 0;
}

// What one model unit of the file is in millimetres of the program: the unit
// (inches times 25.4) divided by the model space scale. A file that names no
// unit, or one we do not know, is taken as millimetres, as it stands.
double unitFactor(std::string_view global) {
    if (global.empty()) {
        return 1;
    }
    const std::vector<std::string> fields = globalFields(global);
    const auto field = [&](std::size_t number) -> std::string_view {
        return number <= fields.size() ? std::string_view(fields[number - 1]) : std::string_view{};
    };
    const double flag = isBlank(field(14)) ? 0 : text::numericValue(field(14));
    double factor = millimetresPerUnit(
        flag == std::floor(flag) && std::fabs(flag) < 100 ? static_cast<int>(flag) : 0, field(15));
    if (factor == 0) {
        factor = 1;
    }
    const double scale = isBlank(field(13)) ? 1 : text::numericValue(field(13));
    if (std::isfinite(scale) && scale > 0) {
        factor /= scale;
    }
    return factor;
}

// A transformation matrix (entity 124): rows of R11 R12 R13 T1, R21 ... T2, R31 ... T3;
// a point (x, y, z) goes to R (x, y, z) + T.
struct Placement {
    std::array<double, 12> m = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};

    struct Point {
        double x, y, z;
    };
    Point apply(double x, double y, double z) const {
        return {m[0] * x + m[1] * y + m[2] * z + m[3], m[4] * x + m[5] * y + m[6] * z + m[7],
                m[8] * x + m[9] * y + m[10] * z + m[11]};
    }
    // The direction (x, y, z) without the translation.
    Point turn(double x, double y, double z) const {
        return {m[0] * x + m[1] * y + m[2] * z, m[4] * x + m[5] * y + m[6] * z,
                m[8] * x + m[9] * y + m[10] * z};
    }
    // This placement after `inner`: a point first goes through `inner`.
    Placement after(const Placement& inner) const {
        Placement out;
        for (std::size_t row = 0; row < 3; ++row) {
            for (std::size_t col = 0; col < 4; ++col) {
                double v = col == 3 ? m[row * 4 + 3] : 0;
                for (std::size_t k = 0; k < 3; ++k) {
                    v += m[row * 4 + k] * inner.m[k * 4 + col];
                }
                out.m[row * 4 + col] = v;
            }
        }
        return out;
    }
};

// How closely the G01 moves follow an arc that a matrix tilts out of the XY plane
// (its projection is an ellipse), in millimetres; the numbers' rounding to four
// decimals stays within the rest of 0.01 mm.
constexpr double kEllipseTolerance = 0.005;
// An arc whose plane leans so little that its projection differs from a circle by
// less than this stays an arc.
constexpr double kFlatTolerance = 0.001;
// Matrices that point at matrices: a longer chain is taken for a loop.
constexpr int kMaxChain = 64;

// How many numbers after the type each entity needs: an arc ZT, X1, Y1, X2, Y2,
// X3, Y3; a line X1, Y1, Z1, X2, Y2 (Z2 is not used); a point X, Y.
constexpr std::size_t kMaxNumbers = 7;

std::size_t numbersNeeded(int type) {
    switch (type) {
        case 100:
            return 7;
        case 110:
            return 5;
        default:
            break;
    }
    return 2;
}

class IgesConverter {
public:
    // An entity of three 82-byte records gives about 55 bytes of G-code.
    IgesConverter(InputBytes& input, PieceSink* sink, const IgesImportOptions& options)
        : m_input(input),
          m_text(input.bytes()),
          m_options(options),
          m_pieces(sink, m_text.size() / 4 + 4096),
          m_out(m_pieces.text()) {
        // Room for a level per line the text can hold (each is 80 columns and a line
        // end), so the table never moves while it grows; pages of it that stay
        // unused are never touched.
        m_levels.reserve(std::min(m_text.size() / 81 + 2, kMaxSequence + 1));
    }

    std::size_t lineStart(std::string_view line) const {
        return static_cast<std::size_t>(line.data() - m_text.data());
    }

    // The length of the program.
    std::uint64_t run() {
        text::LineReader lines(m_text);
        std::size_t count = 0;
        for (std::string_view line; lines.next(line);) {
            m_pieces.handOverWhenFull();
            m_input.readTo(lineStart(line));
            if (m_options.progress && (++count & 0x3FFF) == 0) {
                m_options.progress();
            }
            const char section = line.size() > kSectionColumn ? line[kSectionColumn] : '\0';
            if (section == 'P') {
                parameterLine(line);
                continue;
            }
            // The parameter lines of a record end here without its ";".
            if (m_open) {
                throw cutRecordFailure();
            }
            if (section == 'D') {
                directoryLine(line);
            } else {
                m_secondLineNext = false;
                if (section == 'G') {
                    m_global.append(columns(line, 0, kGlobalColumns));
                }
            }
        }
        if (m_open) {
            throw cutRecordFailure();
        }
        return m_pieces.finish();
    }

    std::string program() && { return std::move(m_pieces).release(); }

private:
    // Directory entries come in pairs of lines; only the first one's level is used.
    // It is stored under the entry's sequence number, which parameter lines point
    // at; an entry without one (blank columns) is numbered by its position, one
    // with something else there is not stored.
    void directoryLine(std::string_view line) {
        ++m_directoryLines;
        if (m_secondLineNext) {
            m_secondLineNext = false;
            return;
        }
        m_secondLineNext = true;
        std::size_t sequence = m_directoryLines;
        if (const std::string_view field = columns(line, kSequenceColumn, kSequenceWidth);
            !isBlank(field)) {
            sequence = indexField(field, kMaxSequence);
            if (sequence == 0) {
                return;  // no number a parameter line could point at
            }
        }
        const double level = igesNumber(columns(line, kLevelColumn, kFieldWidth), m_scratch);
        if (sequence >= m_levels.size()) {
            m_levels.resize(sequence + 1, kNoEntry);
        }
        if (const std::size_t matrix =
                indexField(columns(line, kMatrixColumn, kFieldWidth), kMaxSequence);
            matrix != 0) {
            m_matrixOf[sequence] = matrix;
        }
        // A level beyond single precision becomes infinite and fails only when an
        // entity of ours uses it.
        m_levels[sequence] = static_cast<float>(level);
    }

    // The first line of a record names its entity type in front; the lines after
    // it that point at the same directory entry continue it. Lines of other
    // entities are passed over as a whole, so a line of a spline that happens to
    // start with "110," is never taken for a line entity.
    void parameterLine(std::string_view line) {
        // 0 when the columns hold no pointer (text that only looks like a record).
        const std::size_t pointer =
            indexField(columns(line, kPointerColumn, kFieldWidth), 99'999'999);
        const std::string_view data = rightTrimmed(columns(line, 0, kParameterColumns));
        if (pointer != 0 && pointer == m_lastPointer) {
            if (m_open) {
                m_joined.append(data);
                if (data.find(';') != std::string_view::npos) {
                    finish(m_joined);
                }
            }
            return;
        }
        if (m_open) {
            throw cutRecordFailure();
        }
        m_lastPointer = pointer;
        const double type = text::numericValue(columns(line, 0, kFieldWidth));
        if (type != 100 && type != 110 && type != 116) {
            return;
        }
        m_type = static_cast<int>(type);
        if (pointer == 0 || pointer >= m_levels.size() || std::isnan(m_levels[pointer])) {
            throw noEntryFailure();
        }
        m_level = m_levels[pointer];
        m_entity = pointer;
        if (data.find(';') != std::string_view::npos) {
            finish(data);
        } else {
            m_joined.assign(data);
            m_open = true;
        }
    }

    // One whole record: "110,0.,0.,0.,40.,0.,0.;" (anything after ";" is not read).
    void finish(std::string_view record) {
        m_open = false;
        if (m_options.records != nullptr) {
            appendLevel(*m_options.records);
            m_options.records->append(kEol);
            m_options.records->append(record);
            m_options.records->append(kEol);
        }
        record = record.substr(0, record.find(';'));
        double n[kMaxNumbers] = {};
        std::size_t count = 0;
        // The first field is the entity type.
        for (std::size_t comma = record.find(',');
             comma != std::string_view::npos && count < kMaxNumbers;) {
            const std::size_t start = comma + 1;
            comma = record.find(',', start);
            const std::size_t end = comma == std::string_view::npos ? record.size() : comma;
            n[count++] = igesNumber(record.substr(start, end - start), m_scratch);
        }
        if (count < numbersNeeded(m_type)) {
            throw cutRecordFailure();
        }
        writeDrawingCode();
        if (!m_unitsRead) {
            m_unitsRead = true;
            m_factor = unitFactor(m_global);
        }
        const auto matrix = m_matrixOf.find(m_entity);
        if (matrix != m_matrixOf.end()) {
            writePlaced(n, placement(matrix->second, 0));
            return;
        }
        const double f = m_factor;
        switch (m_type) {
            case 100:
                // ZT, centre X1 Y1, start X2 Y2, end X3 Y3; always counter-clockwise.
                writeMove("G00", n[3] * f, n[4] * f);
                writeArc("G03", n[5] * f, n[6] * f, (n[1] - n[3]) * f, (n[2] - n[4]) * f);
                break;
            case 110:
                writeMove("G00", n[0] * f, n[1] * f);
                writeMove("G01", n[3] * f, n[4] * f);
                break;
            default:
                writeMove("G81", n[0] * f, n[1] * f);
                break;
        }
    }

    // An entity that a matrix places: every point goes through it, then the unit.
    void writePlaced(const double* n, const Placement& placed) {
        const auto move = [&](std::string_view word, const Placement::Point& p) {
            writeMove(word, p.x * m_factor, p.y * m_factor);
        };
        switch (m_type) {
            case 100:
                writePlacedArc(n, placed);
                break;
            case 110:
                move("G00", placed.apply(n[0], n[1], n[2]));
                move("G01", placed.apply(n[3], n[4], n[5]));
                break;
            default:
                move("G81", placed.apply(n[0], n[1], n[2]));
                break;
        }
    }

    // An arc stays an arc while its plane lies flat (a mirroring matrix turns it
    // clockwise); tilted, its projection is an ellipse, cut as short straight moves
    // from the start to the end.
    void writePlacedArc(const double* n, const Placement& placed) {
        const double zt = n[0];
        const Placement::Point centre = placed.apply(n[1], n[2], zt);
        const Placement::Point start = placed.apply(n[3], n[4], zt);
        const Placement::Point end = placed.apply(n[5], n[6], zt);
        const double f = m_factor;
        writeMove("G00", start.x * f, start.y * f);
        const Placement::Point u = placed.turn(1, 0, 0);
        const Placement::Point v = placed.turn(0, 1, 0);
        const double nx = u.y * v.z - u.z * v.y;
        const double ny = u.z * v.x - u.x * v.z;
        const double nz = u.x * v.y - u.y * v.x;
        const double normal = std::sqrt(nx * nx + ny * ny + nz * nz);
        const double radius = std::hypot(n[3] - n[1], n[4] - n[2]);
        const double stretch = std::max(std::hypot(u.x, u.y, u.z), std::hypot(v.x, v.y, v.z));
        const double size = radius * stretch * std::fabs(f);
        if (normal > 0 && size * (1 - std::fabs(nz) / normal) < kFlatTolerance) {
            writeArc(nz > 0 ? "G03" : "G02", end.x * f, end.y * f, (centre.x - start.x) * f,
                     (centre.y - start.y) * f);
            return;
        }
        const double a0 = std::atan2(n[4] - n[2], n[3] - n[1]);
        double sweep = std::atan2(n[6] - n[2], n[5] - n[1]) - a0;
        if (sweep <= 0) {
            sweep += 2 * std::numbers::pi;
        }
        // The sagitta of each step's chord stays within the tolerance.
        double step =
            size > kEllipseTolerance ? 2 * std::acos(1 - kEllipseTolerance / size) : sweep;
        const double steps = std::min(100000.0, std::ceil(sweep / step));
        const int count = std::max(1, static_cast<int>(steps));
        for (int i = 1; i < count; ++i) {
            const double a = a0 + sweep * i / count;
            const Placement::Point p =
                placed.apply(n[1] + radius * std::cos(a), n[2] + radius * std::sin(a), zt);
            writeMove("G01", p.x * f, p.y * f);
        }
        writeMove("G01", end.x * f, end.y * f);
    }

    // The placement of a matrix, with the matrices its own directory entry points at.
    Placement placement(std::size_t pointer, int depth) {
        if (const auto known = m_placements.find(pointer); known != m_placements.end()) {
            return known->second;
        }
        if (!m_matricesRead) {
            // The matrices are read in a pass of their own; a failure after it is
            // still the entity's.
            const std::size_t here = m_input.reached();
            readMatrices();
            m_input.readTo(here);
        }
        const auto matrix = m_matrices.find(pointer);
        if (matrix == m_matrices.end() || depth > kMaxChain) {
            throw noEntryFailure();
        }
        if (matrix->second.count < 12) {
            throw cutRecordFailure();
        }
        Placement placed;
        placed.m = matrix->second.numbers;
        if (const auto outer = m_matrixOf.find(pointer); outer != m_matrixOf.end()) {
            placed = placement(outer->second, depth + 1).after(placed);
        }
        m_placements.emplace(pointer, placed);
        return placed;
    }

    // Every transformation matrix of the file, by its directory entry; read once,
    // when the first entity that has one is written (a matrix may come after it).
    void readMatrices() {
        m_matricesRead = true;
        text::LineReader lines(m_text);
        std::size_t pointer = 0;
        bool open = false;
        std::string joined;
        for (std::string_view line; lines.next(line);) {
            m_input.readTo(lineStart(line));
            if (line.size() <= kSectionColumn || line[kSectionColumn] != 'P') {
                continue;
            }
            const std::size_t at =
                indexField(columns(line, kPointerColumn, kFieldWidth), 99'999'999);
            const std::string_view data = rightTrimmed(columns(line, 0, kParameterColumns));
            if (open && at == pointer) {
                joined.append(data);
            } else {
                open = text::numericValue(columns(line, 0, kFieldWidth)) == 124 && at != 0;
                pointer = at;
                joined.assign(data);
            }
            if (open && joined.find(';') != std::string::npos) {
                open = false;
                storeMatrix(pointer, joined);
            }
        }
    }

    void storeMatrix(std::size_t pointer, std::string_view record) {
        record = record.substr(0, record.find(';'));
        Matrix& matrix = m_matrices[pointer];
        for (std::size_t comma = record.find(',');
             comma != std::string_view::npos && matrix.count < 12;) {
            const std::size_t start = comma + 1;
            comma = record.find(',', start);
            const std::size_t end = comma == std::string_view::npos ? record.size() : comma;
            matrix.numbers[matrix.count++] =
                igesNumber(record.substr(start, end - start), m_scratch);
        }
    }

    void writeArc(std::string_view word, double x, double y, double i, double j) {
        m_out += word;
        m_out += 'X';
        number(x);
        m_out += 'Y';
        number(y);
        m_out += 'I';
        number(i);
        m_out += 'J';
        number(j);
        m_out += kEol;
    }

    void appendLevel(std::string& out) const {
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, m_level);
        out.append(buf, r.ptr);
    }

    void writeDrawingCode() {
        // A fractional level is taken to the nearest whole number, halves to even.
        const double level = std::nearbyint(static_cast<double>(m_level));
        if (!(level >= kLowestLevel && level <= kHighestLevel)) {
            throw overflowFailure();
        }
        char buf[16];
        const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<int>(level) + 9);
        m_out += 'D';
        m_out.append(buf, r.ptr);
        m_out += kEol;
    }

    void writeMove(std::string_view word, double x, double y) {
        m_out += word;
        m_out += 'X';
        number(x);
        m_out += 'Y';
        number(y);
        m_out += kEol;
    }

    // A coordinate the G-code window's single-precision tables cannot hold (NaN
    // and infinity among them) is an overflow, not a 310-digit number.
    void number(double value) {
        if (!(std::fabs(value) <= static_cast<double>(FLT_MAX))) {
            throw overflowFailure();
        }
        kNumberPicture.append(m_out, value);
    }

    InputBytes& m_input;
    std::string_view m_text;
    const IgesImportOptions& m_options;
    PieceBuffer m_pieces;
    std::string& m_out;  // the text of m_pieces
    std::string m_scratch;

    // Levels by directory sequence number; kNoEntry where there is no entry.
    std::vector<float> m_levels;
    std::size_t m_directoryLines = 0;
    bool m_secondLineNext = false;

    std::size_t m_lastPointer = 0;  // directory entry of the last record started
    bool m_open = false;            // a record of ours is waiting for its ";"
    int m_type = 0;
    float m_level = 0;
    std::string m_joined;
    std::size_t m_entity = 0;  // directory entry of the record being written

    // The global section's text (columns 1 to 72 of its lines, joined) and the
    // millimetres of one of its model units, read when the first entity is written.
    std::string m_global;
    bool m_unitsRead = false;
    double m_factor = 1;

    struct Matrix {
        std::array<double, 12> numbers = {};
        std::size_t count = 0;
    };
    // Transformation matrix pointers of the directory entries that have one.
    std::unordered_map<std::size_t, std::size_t> m_matrixOf;
    bool m_matricesRead = false;
    std::unordered_map<std::size_t, Matrix> m_matrices;
    std::unordered_map<std::size_t, Placement> m_placements;
};

}  // namespace

Result<std::string> igesToGcode(std::string_view igesBytes, const IgesImportOptions& options) {
    InputBytes input(igesBytes);
    return guardReading(input, [&] {
        IgesConverter converter(input, nullptr, options);
        converter.run();
        return std::move(converter).program();
    });
}

Result<std::uint64_t> igesToGcode(InputBytes& input, PieceSink& sink,
                                  const IgesImportOptions& options) {
    return guardReading(input, [&] { return IgesConverter(input, &sink, options).run(); });
}

}  // namespace talmir::importers
