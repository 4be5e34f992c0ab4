#include "core/graphic/PlotScanner.h"

#include "core/text/CommaFields.h"
#include "core/text/GcodeDialect.h"
#include "core/text/Lines.h"
#include "core/text/NumericValue.h"
#include "core/text/ShiftJis.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>

namespace talmir::graphic {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

constexpr bool isTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Bytes of the character at `pos`: 2 for a lead byte followed by a trail byte.
std::size_t charBytes(std::string_view s, std::size_t pos) {
    const auto b = static_cast<unsigned char>(s[pos]);
    if (text::isLeadByte(b) && pos + 1 < s.size() &&
        isTrailByte(static_cast<unsigned char>(s[pos + 1]))) {
        return 2;
    }
    return 1;
}

// Byte offset of the first occurrence of `needle` that starts on a character
// boundary, or kNone. A "X" that is the second byte of a kanji is not an X.
std::size_t findText(std::string_view s, std::string_view needle) {
    for (std::size_t i = 0; i < s.size(); i += charBytes(s, i)) {
        if (s.compare(i, needle.size(), needle) == 0) {
            return i;
        }
    }
    return kNone;
}

bool containsText(std::string_view s, std::string_view needle) {
    return findText(s, needle) != kNone;
}

// Where the letters the G-code pass looks for first stand in one field.
struct FieldMarks {
    std::size_t g = kNone;
    std::size_t x = kNone;
    std::size_t y = kNone;
    std::size_t i = kNone;
    std::size_t j = kNone;
    bool star = false;
    bool motion = false;  // holds G00, G01, G02, G03 or G81
};

enum ByteClass : std::uint8_t { kPlain, kG, kX, kY, kI, kJ, kStar, kLead };

constexpr std::array<std::uint8_t, 256> makeClasses() {
    std::array<std::uint8_t, 256> classes{};
    classes['G'] = kG;
    classes['X'] = kX;
    classes['Y'] = kY;
    classes['I'] = kI;
    classes['J'] = kJ;
    classes['*'] = kStar;
    for (int b = 0; b < 256; ++b) {
        if (text::isLeadByte(static_cast<unsigned char>(b))) {
            classes[static_cast<std::size_t>(b)] = kLead;
        }
    }
    return classes;
}
constexpr std::array<std::uint8_t, 256> kClasses = makeClasses();

bool isMotionWord(std::string_view f, std::size_t g) {
    if (g + 2 >= f.size()) {
        return false;
    }
    const char a = f[g + 1];
    const char b = f[g + 2];
    return (a == '0' && b >= '0' && b <= '3') || (a == '8' && b == '1');
}

// The plain number at `pos` of `f` ("12.5", "-3.", "007"): a sign, up to 19
// digits (at most 2^53) with at most one point, as text::plainDecimal reads it.
// Sets `value` and `end` (the offset after it) and returns true; false for no
// digits or a number the shared reader must decide.
bool quickNumber(std::string_view f, std::size_t pos, double& value, std::size_t& end) {
    static constexpr std::array<double, 20> kExactPowers = {
        1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
        1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
    const std::size_t n = f.size();
    const bool negative = pos < n && f[pos] == '-';
    pos += pos < n && (f[pos] == '-' || f[pos] == '+') ? 1 : 0;
    const std::size_t start = pos;
    std::size_t point = kNone;
    std::uint64_t digits = 0;
    for (; pos < n; ++pos) {
        const auto digit = static_cast<unsigned char>(f[pos] - '0');
        if (digit < 10) {
            digits = digits * 10 + digit;
        } else if (f[pos] == '.' && point == kNone) {
            point = pos;
        } else {
            break;
        }
    }
    const std::size_t count = pos - start - (point != kNone ? 1 : 0);
    if (count == 0 || count > 19 || digits > (std::uint64_t{1} << 53)) {
        return false;
    }
    const std::size_t decimals = point != kNone ? pos - point - 1 : 0;
    const double magnitude = static_cast<double>(digits) / kExactPowers[decimals];
    value = negative ? -magnitude : magnitude;
    end = pos;
    return true;
}

// The words of this program's own motion fields ("G01X12.5Y-3.25",
// "G02X1.Y2.I-1.J0"): the motion word first, then X, Y, I and J words, each
// letter at most once, each a plain number. Read in one pass, they give what
// the letter-by-letter rules give; any other field gives false.
struct QuickMotion {
    std::array<double, 5> values{};  // G, X, Y, I, J
    unsigned seen = 0;               // bit k: values[k] was read
};

bool readQuickMotion(std::string_view f, QuickMotion& m) {
    if (f.size() < 4 || f[0] != 'G' || !isMotionWord(f, 0)) {
        return false;
    }
    std::size_t word = 0;
    for (std::size_t pos = 1;;) {
        std::size_t end = 0;
        if (!quickNumber(f, pos, m.values[word], end)) {
            return false;
        }
        m.seen |= 1u << word;
        if (end == f.size()) {
            return true;
        }
        constexpr std::string_view kLetters = "GXYIJ";
        word = kLetters.find(f[end]);
        if (word == 0 || word == kNone || (m.seen & (1u << word)) != 0) {
            return false;
        }
        pos = end + 1;
    }
}

FieldMarks markField(std::string_view f) {
    FieldMarks m;
    const std::size_t n = f.size();
    for (std::size_t k = 0; k < n; ++k) {
        const auto b = static_cast<unsigned char>(f[k]);
        switch (kClasses[b]) {
            case kPlain:
                break;
            case kG:
                m.g = m.g == kNone ? k : m.g;
                m.motion = m.motion || isMotionWord(f, k);
                break;
            case kX:
                m.x = m.x == kNone ? k : m.x;
                break;
            case kY:
                m.y = m.y == kNone ? k : m.y;
                break;
            case kI:
                m.i = m.i == kNone ? k : m.i;
                break;
            case kJ:
                m.j = m.j == kNone ? k : m.j;
                break;
            case kStar:
                m.star = true;
                break;
            case kLead:
                k += (k + 1 < n && isTrailByte(static_cast<unsigned char>(f[k + 1]))) ? 1 : 0;
                break;
            default:
                break;
        }
    }
    return m;
}

std::string_view trimBlanks(std::string_view s) {
    std::size_t a = 0;
    std::size_t b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) {
        ++a;
    }
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) {
        --b;
    }
    return s.substr(a, b - a);
}

// Fills the tables from the two texts; holds the name-to-slot index so that a
// program with many section lines does not compare each with 256 names.
class Scanner {
public:
    explicit Scanner(PlotTables& tables) : m_t(tables) {}

    void holePass(std::string_view text);
    void gcodePass(std::string_view text);

private:
    // The slot named `name`, else the first free slot (named `name` and made
    // visible), else -1 when all 256 are taken.
    int findOrAddLayer(std::string_view name, float width);
    void holeLine(std::string_view line);
    void gcodeLine(std::string_view line);
    void gcodeField(std::string_view field);
    void addMotion(const QuickMotion& words);

    PlotTables& m_t;
    std::uint32_t m_line = 0;  // the line being read
    std::unordered_map<std::string_view, int> m_slotOfName;
    int m_firstFree = 0;
    // Other programs' G-code is read as this program writes it: each field as it
    // comes, as text::ownGcode rewrites a whole text.
    bool m_rewrite = true;
    text::GcodeMotionReader m_reader;
    std::string m_own;  // the field rewritten
};

int Scanner::findOrAddLayer(std::string_view name, float width) {
    if (const auto it = m_slotOfName.find(name); it != m_slotOfName.end()) {
        return it->second;
    }
    while (m_firstFree < kScannedLayers &&
           !m_t.layers[static_cast<std::size_t>(m_firstFree)].name.empty()) {
        ++m_firstFree;
    }
    if (m_firstFree >= kScannedLayers) {
        return -1;
    }
    LayerSlot& slot = m_t.layers[static_cast<std::size_t>(m_firstFree)];
    if (!name.empty()) {
        slot.name.assign(name);
        slot.width = width;
        slot.visible = true;
        m_slotOfName.emplace(slot.name, m_firstFree);
    }
    // An empty name equals the name of the first free slot, which stays free.
    return m_firstFree;
}

// A hole line: "T1C0.8" defines tool T1 of diameter 0.8, "T1" selects it,
// "X12.5Y30.0" is a hole of the selected tool.
void Scanner::holeLine(std::string_view line) {
    const std::size_t x = findText(line, "X");
    const std::size_t y = findText(line, "Y");
    if (x != kNone || y != kNone) {
        HoleRow row;
        row.x = static_cast<float>(numberAfter(line, x));
        row.y = static_cast<float>(numberAfter(line, y));
        row.sizeLayer = m_t.CurrentTool;
        row.colourLayer = m_t.CurrentTool;
        m_t.holes.push_back(row);
        m_t.holeLines.push_back(m_line);
        m_t.HoleCount += 1;
        m_t.layers[static_cast<std::size_t>(m_t.CurrentTool)].textSlot.assign(line);
        return;
    }
    if (const std::size_t c = findText(line, "C"); c != kNone) {
        const int slot =
            findOrAddLayer(line.substr(0, c), static_cast<float>(numberAfter(line, c)));
        if (slot >= 0) {
            m_t.CurrentTool = static_cast<std::int16_t>(slot);
        }
        return;
    }
    if (containsText(line, "T")) {
        // The first tool whose name holds the whole line: "T1" selects "T10" when
        // that one comes first.
        for (int slot = 0; slot < kScannedLayers; ++slot) {
            if (m_t.layers[static_cast<std::size_t>(slot)].name.find(line) != std::string::npos) {
                m_t.CurrentTool = static_cast<std::int16_t>(slot);
                return;
            }
        }
    }
}

void Scanner::holePass(std::string_view text) {
    const std::size_t fields = countCommaFields(text) + 11;
    m_t.holes.reserve(fields);
    m_t.holeLines.reserve(fields);
    m_t.HoleCount = -1;
    text::LineReader lines(text);
    m_line = 0;
    for (std::string_view line; lines.next(line); ++m_line) {
        holeLine(line);
    }
}

// One field of G-code: a motion record ("G01X10.Y0"), a skipped field (with
// "*"), or a section line that selects a layer.
void Scanner::addMotion(const QuickMotion& words) {
    PathRow row;
    row.g = static_cast<float>(words.values[0]);
    row.layer = m_t.CurrentTool;
    if ((words.seen & 2u) != 0) {
        m_t.lastX = static_cast<float>(words.values[1]);
    }
    if ((words.seen & 4u) != 0) {
        m_t.lastY = static_cast<float>(words.values[2]);
    }
    row.x = m_t.lastX;
    row.y = m_t.lastY;
    row.i = static_cast<float>(words.values[3]);
    row.j = static_cast<float>(words.values[4]);
    m_t.paths.push_back(row);
    m_t.pathLines.push_back(m_line);
    m_t.PathCount += 1;
}

void Scanner::gcodeField(std::string_view field) {
    if (QuickMotion words; readQuickMotion(field, words)) {
        addMotion(words);
        return;
    }
    const FieldMarks m = markField(field);
    if (m.star) {
        return;
    }
    PathRow row;
    if (m.motion) {
        row.g = static_cast<float>(numberAfter(field, m.g));
        row.layer = m_t.CurrentTool;
        // Coordinates are modal: a motion without X (or Y) stays at the last one,
        // as a machine would move, rather than running to 0.
        if (m.x != kNone) {
            m_t.lastX = static_cast<float>(numberAfter(field, m.x));
        }
        if (m.y != kNone) {
            m_t.lastY = static_cast<float>(numberAfter(field, m.y));
        }
        row.x = m_t.lastX;
        row.y = m_t.lastY;
        if (m.i != kNone) {
            row.i = static_cast<float>(numberAfter(field, m.i));
        }
        if (m.j != kNone) {
            row.j = static_cast<float>(numberAfter(field, m.j));
        }
    } else {
        // An empty field (a blank line, the end of "G01X1,") is no section: taken
        // as one it would select an unnamed, possibly hidden layer and the rest of
        // the program would vanish from the plot.
        if (field.empty()) {
            return;
        }
        const int slot = findOrAddLayer(field, 0);
        if (slot >= 0) {
            m_t.CurrentTool = static_cast<std::int16_t>(slot);
        }
        row.x = m_t.lastX;
        row.y = m_t.lastY;
        row.layer = m_t.CurrentTool;
    }
    m_t.paths.push_back(row);
    m_t.pathLines.push_back(m_line);
    m_t.PathCount += 1;
}

void Scanner::gcodeLine(std::string_view line) {
    if (line.find('"') != std::string_view::npos) {
        text::CommaFields fields(line);
        for (std::string_view field; fields.next(field);) {
            gcodeField(field);
        }
        return;
    }
    for (;;) {
        const std::size_t at = line.find(',');
        std::string_view field = line.substr(0, at);
        if (m_rewrite && m_reader.read(field, &m_own) >= 0 && !m_own.empty()) {
            field = m_own;
        }
        gcodeField(trimBlanks(field));
        if (at == std::string_view::npos) {
            return;
        }
        line.remove_prefix(at + 1);
    }
}

// Whether any field of the text holds a "G" that is a character of its own.
bool anyFieldHasG(std::string_view text) {
    // find, not memchr: an empty text may have no data pointer at all.
    if (text.find('"') != std::string_view::npos) {
        text::CommaFieldReader fields(text);
        for (std::string_view field; fields.next(field);) {
            if (containsText(field, "G")) {
                return true;
            }
        }
        return false;
    }
    // Walk from one candidate to the next, tracking character boundaries only
    // over the bytes in between.
    std::size_t boundary = 0;
    for (std::size_t from = 0; from < text.size();) {
        const void* hit = std::memchr(text.data() + from, 'G', text.size() - from);
        if (hit == nullptr) {
            return false;
        }
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        while (boundary < at) {
            boundary += charBytes(text, boundary);
        }
        if (boundary == at) {
            return true;
        }
        from = at + 1;
    }
    return false;
}

void Scanner::gcodePass(std::string_view text) {
    // Rewriting keeps every line end and comma, so the count holds for either text.
    const std::size_t fields = countCommaFields(text);
    std::optional<std::string> own;
    if (!anyFieldHasG(text)) {
        // Rewritten fields always hold a G, fields left as they were keep theirs:
        // only a text without one can gain one ("g1 x1" gives "G01X1").
        own = text::ownGcode(text);
        if (!own || !anyFieldHasG(*own)) {
            return;
        }
        text = *own;
        m_rewrite = false;
    }
    m_t.paths.reserve(fields + 101);
    m_t.pathLines.reserve(fields + 101);
    m_t.PathCount = -1;
    text::LineReader lines(text);
    m_line = 0;
    for (std::string_view line; lines.next(line); ++m_line) {
        gcodeLine(line);
    }
}

// Commas and line ends, a CR LF counted once. memchr crosses the bytes between
// them many at a time.
std::size_t countFieldEnds(std::string_view text) {
    if (text.empty()) {
        return 0;  // may have no data pointer at all
    }
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    auto each = [&](char c, auto&& onHit) {
        for (const char* at = begin;; ++at) {
            at = static_cast<const char*>(std::memchr(at, c, static_cast<std::size_t>(end - at)));
            if (at == nullptr) {
                return;
            }
            onHit(at);
        }
    };
    std::size_t ends = 0;
    each(',', [&](const char*) { ++ends; });
    each('\r', [&](const char*) { ++ends; });
    // The LF of a CR LF ends no field of its own.
    each('\n', [&](const char* at) { ends += at == begin || at[-1] != '\r' ? 1 : 0; });
    return ends;
}

}  // namespace

double numberAfter(std::string_view field, std::size_t letter) {
    const std::string_view rest = letter == kNone ? field : field.substr(letter + 1);
    double value = 0;
    return text::plainDecimal(rest, value) ? value : text::numericValue(rest);
}

std::size_t countCommaFields(std::string_view text) {
    // find, not memchr: an empty text may have no data pointer at all.
    if (text.find('"') != std::string_view::npos) {
        std::size_t count = 0;
        text::CommaFieldReader fields(text);
        for (std::string_view field; fields.next(field);) {
            ++count;
        }
        return count;
    }
    // Every line end and every comma ends a field; CR LF is one line end, and a
    // last line without a line end still holds a field.
    const std::size_t ends = countFieldEnds(text);
    const bool openLast = !text.empty() && text.back() != '\n' && text.back() != '\r';
    return ends + (openLast ? 1 : 0);
}

void scanPlotTables(PlotTables& tables, const ScanTexts& texts) {
    tables.reset();
    tables.CurrentTool = 0;
    Scanner scanner(tables);
    if (texts.holeText) {
        scanner.holePass(*texts.holeText);
    }
    if (texts.gcodeText) {
        scanner.gcodePass(*texts.gcodeText);
    }
}

}  // namespace talmir::graphic
