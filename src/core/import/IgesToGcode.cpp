#include "core/import/IgesToGcode.h"

#include "core/text/Lines.h"
#include "core/text/NumberPicture.h"
#include "core/text/NumericValue.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
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
    IgesConverter(std::string_view text, const IgesImportOptions& options)
        : m_text(text), m_options(options) {
        // An entity of three 82-byte records gives about 55 bytes of G-code.
        m_out.reserve(text.size() / 4 + 4096);
    }

    std::string run() {
        text::LineReader lines(m_text);
        std::size_t count = 0;
        for (std::string_view line; lines.next(line);) {
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
            }
        }
        if (m_open) {
            throw cutRecordFailure();
        }
        return std::move(m_out);
    }

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
        switch (m_type) {
            case 100:
                // ZT, centre X1 Y1, start X2 Y2, end X3 Y3; always counter-clockwise.
                writeMove("G00", n[3], n[4]);
                m_out += "G03X";
                number(n[5]);
                m_out += 'Y';
                number(n[6]);
                m_out += 'I';
                number(n[1] - n[3]);
                m_out += 'J';
                number(n[2] - n[4]);
                m_out += kEol;
                break;
            case 110:
                writeMove("G00", n[0], n[1]);
                writeMove("G01", n[3], n[4]);
                break;
            default:
                writeMove("G81", n[0], n[1]);
                break;
        }
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

    std::string_view m_text;
    const IgesImportOptions& m_options;
    std::string m_out;
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
};

}  // namespace

Result<std::string> igesToGcode(std::string_view igesBytes, const IgesImportOptions& options) {
    return guardConversion([&] { return IgesConverter(igesBytes, options).run(); });
}

}  // namespace talmir::importers
